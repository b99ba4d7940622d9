#pragma once
// What the Windows checks share: GoogleTest tests that run inside the real
// main window's modal loop, as the program itself runs, and print in UTF-8.

#include "app/MainDlg.h"
#include "dialog/win32/DialogWindow.h"
#include "dialog/win32/Windows.h"

#include <gtest/gtest.h>

#include <string>

namespace windows_test {

inline CMainDlg*& MainDialog() {
    static CMainDlg* dialog = nullptr;
    return dialog;
}

// The main window the tests run in.
inline HWND MainWindow() { return MainDialog()->Window()->Handle(); }

// Dispatches messages, timers' among them, until `done` holds: a test waits
// here for what a modal loop it starts (the About box's) does.
template <typename Done>
void PumpUntil(Done done) {
    MSG message;
    while (!done() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

inline int& TestsResult() {
    static int result = 1;
    return result;
}

inline void CALLBACK RunAllTests(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    TestsResult() = RUN_ALL_TESTS();
    MainDialog()->EndDialog(IDCANCEL);
}

// GoogleTest's flags from the command line; only failures are told at length.
inline void InitTests(int& argc, wchar_t** argv) {
    GTEST_FLAG_SET(brief, true);
    testing::InitGoogleTest(&argc, argv);
}

// Every test, from inside the main window's loop once it runs; the window
// then closes.
inline int RunTestsInMainWindow() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CMainDlg dialog;
    MainDialog() = &dialog;
    SetTimer(nullptr, 0, 0, RunAllTests);
    dialog.DoModal();
    MainDialog() = nullptr;
    return TestsResult();
}

}  // namespace windows_test

inline std::string Utf8(const CString& text) {
    const std::wstring wide(text.begin(), text.end());
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}
