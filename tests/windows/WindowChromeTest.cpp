// What the Windows front end does for real that the Qt one cannot: the main
// window's size, icons and frame, and the white page background through
// WM_CTLCOLOR. Runs the real main window; prints each failed check.

#include "WindowsTest.h"
#include "app/MainDlg.h"
#include "dialog/win32/DialogWindow.h"

#include <cstdio>
#include <utility>

namespace {

CMainDlg* g_window = nullptr;
int g_failures = 0;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::printf("FAILED: %s\n", what);
        ++g_failures;
    }
}

HWND ShownPage(HWND main) {
    HWND tabs = GetDlgItem(main, CMainDlg::IDC_TAB);
    for (HWND child = GetWindow(tabs, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (DialogWindow::IsDialog(child) && IsWindowVisible(child)) return child;
    return nullptr;
}

HWND FirstOfClass(HWND parent, const wchar_t* className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (IsClass(child, className)) return child;
    return nullptr;
}

void CheckSizeAndFrame(HWND main) {
    // The template's 355 x 239 dialog units, in the dialog font's units:
    // 533 x 359 pixels with SimSun at 96 DPI.
    RECT client, units{0, 0, 355, 239};
    GetClientRect(main, &client);
    MapDialogRect(main, &units);
    Check(client.right == units.right && client.bottom == units.bottom, "a client area of the template's size");
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    Check((style & WS_MINIMIZEBOX) != 0, "a minimise box");
    Check((style & WS_MAXIMIZEBOX) == 0, "no maximise box");
    Check((style & WS_THICKFRAME) == 0, "a fixed size");
}

void CheckIcons(HWND main) {
    const LRESULT big = SendMessageW(main, WM_GETICON, ICON_BIG, 0);
    const LRESULT small = SendMessageW(main, WM_GETICON, ICON_SMALL, 0);
    Check(big != 0, "a large icon");
    Check(small != 0 && small != big, "a small icon drawn at its own size");
    Check(SendMessageW(main, WM_QUERYDRAGICON, 0, 0) == big, "the icon as the drag icon");
}

void CheckBackgrounds(HWND main) {
    HDC dc = GetDC(main);
    const auto white = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    for (int tab = 0; tab < 4; ++tab) {
        HWND tabs = GetDlgItem(main, CMainDlg::IDC_TAB);
        TabCtrl_SetCurSel(tabs, tab);
        NMHDR change{tabs, CMainDlg::IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(main, WM_NOTIFY, CMainDlg::IDC_TAB, reinterpret_cast<LPARAM>(&change));
        HWND page = ShownPage(main);
        SetBkMode(dc, OPAQUE);
        Check(SendMessageW(page, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(page)) == white,
              "a white page face");
        Check(GetBkMode(dc) == TRANSPARENT, "page text drawn without a background fill");
        const std::pair<const wchar_t*, UINT> kinds[] = {
            {WC_STATICW, WM_CTLCOLORSTATIC}, {WC_BUTTONW, WM_CTLCOLORBTN}, {WC_EDITW, WM_CTLCOLOREDIT}};
        for (const auto& [kind, message] : kinds) {
            HWND control = FirstOfClass(page, kind);
            Check(SendMessageW(page, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)) == white,
                  "a white background behind every kind of page control");
        }
    }
    Check(SendMessageW(main, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(main)) != white,
          "the main window keeps the system's face colour");
    ReleaseDC(main, dc);
}

void CALLBACK RunChecks(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND main = g_window->Window()->Handle();
    CheckSizeAndFrame(main);
    CheckIcons(main);
    CheckBackgrounds(main);
    g_window->EndDialog(IDCANCEL);
}

}  // namespace

int wmain() {
    CMainDlg dialog;
    g_window = &dialog;
    RunInMainWindow(dialog, RunChecks);
    std::printf(g_failures == 0 ? "window chrome: all checks passed\n" : "window chrome: %d checks failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
