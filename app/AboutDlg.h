#pragma once
// The About box: program name, version, copyright and where to send feedback.

#include "dialog/Dialog.h"

class CAboutDlg : public CDialog {
public:
    static constexpr int IDD = IDD_ABOUTBOX;
    CAboutDlg() : CDialog(IDD) {}
};
