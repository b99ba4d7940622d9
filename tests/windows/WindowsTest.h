#pragma once
// What the Windows checks share: they run inside the real main window's
// modal loop, and print what they find in UTF-8.

#include "app/MainDlg.h"
#include "dialog/win32/Windows.h"

#include <string>

// Runs `dialog` modally; `checks` fires from inside its loop, once, and must end it.
inline void RunInMainWindow(CMainDlg& dialog, TIMERPROC checks) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SetTimer(nullptr, 0, 0, checks);
    dialog.DoModal();
}

inline std::string Utf8(const CString& text) {
    const std::wstring wide(text.begin(), text.end());
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}
