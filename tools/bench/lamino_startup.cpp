// Lamino as the user starts it, reporting its first frame.

#include "FirstFrame.h"
#include "app/MainDlg.h"
#include "dialog/qt/Application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ConfigureApplication(app);
    ReportFirstFrame(app, "lamino");
    CMainDlg dialog;
    dialog.DoModal();
    return 0;
}
