#pragma once
// The Windows checks run inside the real main window's modal loop.

#include "app/MainDlg.h"
#include "dialog/win32/Windows.h"

// Runs `dialog` modally; `checks` fires from inside its loop, once, and must end it.
inline void RunInMainWindow(CMainDlg& dialog, TIMERPROC checks) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SetTimer(nullptr, 0, 0, checks);
    dialog.DoModal();
}
