// The program's entry: starts Qt, then hands over to the application object.

#include "Application.h"
#include "dialog/WinApp.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

namespace {

// Qt wants a UTF-8 locale for its own texts and warns at every start where
// the environment names none (no LANG, as on a bare system). Give it the C
// one in UTF-8; numbers never follow the process locale, so no figure changes.
void AskForUtf8Locale() {
    if (std::setlocale(LC_ALL, "") != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
    setenv("LC_ALL", "C.UTF-8", 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    AskForUtf8Locale();
    QApplication app(argc, argv);
    ConfigureApplication(app);
    if (CWinApp* program = CWinApp::Instance()) program->InitInstance();
    return 0;
}
