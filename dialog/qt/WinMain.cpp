// The program's entry: starts Qt, then hands over to the application object.

#include "Application.h"
#include "dialog/WinApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ConfigureApplication(app);
    if (CWinApp* program = CWinApp::Instance()) program->InitInstance();
    return 0;
}
