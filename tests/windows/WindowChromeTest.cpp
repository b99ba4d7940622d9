// What the Windows front end does for real that the Qt one cannot: the main
// window's size, icons and frame, and the white page background through
// WM_CTLCOLOR, on the real main window.

#include "WindowsTest.h"
#include "app/MainDlg.h"
#include "dialog/win32/DialogWindow.h"

#include <utility>

namespace {

using windows_test::MainWindow;

HWND ShownPage(HWND main) {
    HWND tabs = GetDlgItem(main, IDC_TAB);
    for (HWND child = GetWindow(tabs, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (DialogWindow::IsDialog(child) && IsWindowVisible(child)) return child;
    return nullptr;
}

HWND FirstOfClass(HWND parent, const wchar_t* className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (IsClass(child, className)) return child;
    return nullptr;
}

TEST(WindowChrome, TheTemplatesSizeAndAFixedFrame) {
    HWND main = MainWindow();
    // The template's 355 x 239 dialog units, in the dialog font's units:
    // 533 x 359 pixels with SimSun at 96 DPI.
    RECT client, units{0, 0, 355, 239};
    GetClientRect(main, &client);
    MapDialogRect(main, &units);
    EXPECT_EQ(client.right, units.right) << "a client area of the template's width";
    EXPECT_EQ(client.bottom, units.bottom) << "a client area of the template's height";
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE((style & WS_MINIMIZEBOX) != 0) << "a minimise box";
    EXPECT_TRUE((style & WS_MAXIMIZEBOX) == 0) << "no maximise box";
    EXPECT_TRUE((style & WS_THICKFRAME) == 0) << "a fixed size";
}

TEST(WindowChrome, IconsOfBothSizes) {
    HWND main = MainWindow();
    const LRESULT big = SendMessageW(main, WM_GETICON, ICON_BIG, 0);
    const LRESULT small = SendMessageW(main, WM_GETICON, ICON_SMALL, 0);
    EXPECT_TRUE(big != 0) << "a large icon";
    EXPECT_TRUE(small != 0 && small != big) << "a small icon drawn at its own size";
    EXPECT_EQ(SendMessageW(main, WM_QUERYDRAGICON, 0, 0), big) << "the icon as the drag icon";
}

TEST(WindowChrome, WhitePagesInTheSystemsFrame) {
    HWND main = MainWindow();
    HDC dc = GetDC(main);
    const auto white = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    for (int tab = 0; tab < 4; ++tab) {
        HWND tabs = GetDlgItem(main, IDC_TAB);
        TabCtrl_SetCurSel(tabs, tab);
        NMHDR change{tabs, IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(main, WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&change));
        HWND page = ShownPage(main);
        SetBkMode(dc, OPAQUE);
        EXPECT_EQ(SendMessageW(page, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(page)), white)
            << "a white page face, tab " << tab + 1;
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << "page text drawn without a background fill";
        const std::pair<const wchar_t*, UINT> kinds[] = {
            {WC_STATICW, WM_CTLCOLORSTATIC}, {WC_BUTTONW, WM_CTLCOLORBTN}, {WC_EDITW, WM_CTLCOLOREDIT}};
        for (const auto& [kind, message] : kinds) {
            HWND control = FirstOfClass(page, kind);
            EXPECT_EQ(SendMessageW(page, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)), white)
                << "a white background behind every kind of page control, tab " << tab + 1;
        }
    }
    EXPECT_NE(SendMessageW(main, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(main)), white)
        << "the main window keeps the system's face colour";
    ReleaseDC(main, dc);
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    windows_test::InitTests(argc, argv);
    return windows_test::RunTestsInMainWindow();
}
