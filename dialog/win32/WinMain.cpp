// The program's entry on Windows: registers the common controls, then hands
// over to the application object.

#include "dialog/WinApp.h"
#include "Windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (CWinApp* program = CWinApp::Instance()) program->InitInstance();
    return 0;
}
