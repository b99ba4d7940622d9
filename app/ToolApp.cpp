// The application object: runs the main window and ends with it.

#include "MainDlg.h"
#include "dialog/WinApp.h"

namespace {

class CToolApp : public CWinApp {
public:
    bool InitInstance() override {
        CMainDlg dialog;
        dialog.DoModal();
        return false;
    }
};

CToolApp theApp;

}  // namespace
