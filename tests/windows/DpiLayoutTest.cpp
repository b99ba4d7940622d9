// The main window and the About box laid out for the DPI the program runs
// at (under Wine: the prefix's LogPixels): each page inside the tab's display
// area below its row of tabs, every control inside its dialog, every label
// whole, each diagram at its size times the scale, icons in the sizes the DPI
// asks for. Then moves to monitors of other DPIs, which Wine never makes, as
// WM_DPICHANGED: each lays the window out for that DPI, and the move back
// restores every control to the pixel.

#include "WindowsTest.h"
#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "dialog/win32/Dpi.h"
#include "dialog/win32/Resources.h"
#include "dialog/win32/DialogWindow.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using windows_test::MainWindow;

// Labels whose text runs under another control, and at which DPIs: gathered
// by the tests of each DPI, judged by the last.
std::map<std::string, std::set<UINT>> g_hidden;

std::string Describe(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    return Utf8(CString(name, name + lstrlenW(name))) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           Utf8(WindowText(control)) + "\"";
}

// A window's rectangle in the client coordinates of `reference`.
RECT RectIn(HWND hwnd, HWND reference) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Meet(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

LONG StaticType(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK; }

bool IsGroupBox(HWND hwnd) {
    return IsClass(hwnd, WC_BUTTONW) && (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsLabel(HWND hwnd) {
    return IsClass(hwnd, WC_STATICW) && (StaticType(hwnd) == SS_LEFT || StaticType(hwnd) == SS_CENTER);
}

// Where a label's text is drawn, in its dialog's client coordinates; and
// whether every line of it fits the label.
struct LabelText {
    RECT area{};
    bool fits = false;
};

// Measured as the static control draws its text (DrawTextW), not as the
// layout code reckons it, so that the two cannot share a mistake.
LabelText MeasureLabel(HWND label, HWND dialog) {
    const CString text = WindowText(label);
    HDC dc = GetDC(label);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const UINT prefix = (GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
    RECT drawn{0, 0, 0, 0};
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &drawn, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | prefix);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    RECT client;
    GetClientRect(label, &client);
    const RECT place = RectIn(label, dialog);
    LabelText result;
    result.area = RECT{place.left, place.top, place.left + drawn.right, place.top + drawn.bottom};
    result.fits = drawn.right <= client.right && drawn.bottom <= client.bottom;
    return result;
}

// Every control inside the dialog; every label whole: its text fits it and
// crosses no group box frame; where it runs under another control is noted.
void CheckControls(HWND dialog, const std::string& name, UINT dpi) {
    const std::string at = name + " at " + std::to_string(dpi) + " DPI";
    RECT client;
    GetClientRect(dialog, &client);
    const std::vector<HWND> controls = ChildWindows(dialog);
    for (HWND control : controls) {
        EXPECT_TRUE(Inside(RectIn(control, dialog), client))
            << "a control inside its dialog: " << at + ", " + Describe(control);
        if (!IsLabel(control)) continue;
        const LabelText text = MeasureLabel(control, dialog);
        EXPECT_TRUE(text.fits) << "a label's text fits it: " << at + ", " + Describe(control);
        for (HWND other : controls) {
            if (other == control) continue;
            const RECT place = RectIn(other, dialog);
            const std::string pair = Describe(control) + " and " + Describe(other);
            if (IsGroupBox(other)) {
                const RECT inner{place.left + 1, place.top, place.right - 1, place.bottom - 1};
                EXPECT_TRUE(Inside(text.area, inner) || !Meet(text.area, place))
                    << "a label's text crossing no frame: " << at + ", " + pair;
            } else if (Meet(text.area, place)) {
                g_hidden[name + ", " + pair].insert(dpi);
            }
        }
    }
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) != 0 ? SIZE{info.bmWidth, info.bmHeight} : SIZE{};
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
    const SIZE size = BitmapSize(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

bool HasSize(SIZE size, int width, int height) { return size.cx == width && size.cy == height; }

// The diagram of a page, drawn for the DPI at its own size times the scale,
// inside its frame.
void CheckDiagram(HWND page, SIZE size96, UINT dpi, const std::string& name) {
    for (HWND control : ChildWindows(page)) {
        if (!IsClass(control, WC_STATICW) || StaticType(control) != SS_BITMAP) continue;
        const int width = MulDiv(size96.cx, static_cast<int>(dpi), 96), height = MulDiv(size96.cy, static_cast<int>(dpi), 96);
        RECT client;
        GetClientRect(control, &client);
        EXPECT_TRUE(client.right == width && client.bottom == height)
            << "a diagram at its size times the scale: " << name;
        const auto picture = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_TRUE(HasSize(BitmapSize(picture), width, height))
            << "a diagram drawn at that size, not stretched: " << name;
        const RECT place = RectIn(control, page);
        bool framed = false;
        for (HWND frame : ChildWindows(page)) framed = framed || (IsGroupBox(frame) && Inside(place, RectIn(frame, page)));
        EXPECT_TRUE(framed) << "a diagram inside its frame: " << name;
        return;
    }
    ADD_FAILURE() << "a diagram on the page: " << name;
}

void CheckMainWindow(HWND main, UINT dpi) {
    const std::string at = std::to_string(dpi) + " DPI";
    HWND tabs = GetDlgItem(main, IDC_TAB);
    RECT display;
    GetClientRect(tabs, &display);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    LONG rowBottom = 0;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        RECT item{};
        TabCtrl_GetItemRect(tabs, i, &item);
        rowBottom = std::max(rowBottom, item.bottom);
    }
    // The diagrams' own sizes, pages 2 to 4.
    const SIZE diagrams[] = {{289, 289}, {319, 249}, {314, 217}};
    int index = 0;
    for (HWND page : ChildWindows(tabs)) {
        if (!DialogWindow::IsDialog(page)) continue;
        const std::string name = "page " + std::to_string(index + 1);
        const RECT place = RectIn(page, tabs);
        EXPECT_TRUE(place.left >= display.left && place.right <= display.right && place.bottom <= display.bottom)
            << "a page inside the tab's display area: " << name + " at " + at;
        EXPECT_TRUE(place.top >= rowBottom) << "a page below the row of tabs: " << name + " at " + at;
        CheckControls(page, name, dpi);
        if (index >= 1 && index <= 3) CheckDiagram(page, diagrams[index - 1], dpi, name + " at " + at);
        ++index;
    }
    EXPECT_EQ(index, 4) << "four pages at " << at;
    CheckControls(main, "main window", dpi);
    const auto scaled = [&](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
    const SIZE big = IconSize(reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_BIG, 0)));
    const SIZE small = IconSize(reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, ICON_SMALL, 0)));
    EXPECT_TRUE(HasSize(big, scaled(32), scaled(32))) << "a large window icon of the DPI's size: " << at;
    EXPECT_TRUE(HasSize(small, scaled(16), scaled(16))) << "a small window icon of the DPI's size: " << at;
}

void CheckAboutBox(UINT dpi) {
    const std::string name = "About box at " + std::to_string(dpi) + " DPI";
    CAboutDlg about;
    about.Create();
    HWND box = about.Window()->Handle();
    CheckControls(box, "About box", dpi);
    bool iconShown = false;
    for (HWND control : ChildWindows(box)) {
        if (!IsClass(control, WC_STATICW) || StaticType(control) != SS_ICON) continue;
        const int size = MulDiv(32, static_cast<int>(dpi), 96);
        iconShown = HasSize(IconSize(reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0))), size, size);
    }
    EXPECT_TRUE(iconShown) << "the About box's icon in the DPI's size: " << name;
}

// The dialog manager's own base units, which a move back to 96 DPI must
// reproduce: what MapDialogRect says for each of our dialogs.
void CheckBaseUnits(HWND main) {
    std::vector<HWND> dialogs{main};
    for (HWND page : ChildWindows(GetDlgItem(main, IDC_TAB)))
        if (DialogWindow::IsDialog(page)) dialogs.push_back(page);
    const int ids[] = {IDD_MAIN, IDD_UNITCONV, IDD_VCUT, IDD_GOLDFINGER, IDD_COUNTERSINK};
    for (size_t i = 0; i < dialogs.size() && i < std::size(ids); ++i) {
        RECT units{0, 0, 4, 8};
        MapDialogRect(dialogs[i], &units);
        HFONT font = dpi::CreateDialogFont(res::Script().dialog(ids[i]), 96);
        const SIZE reckoned = dpi::BaseUnitsOf(font);
        DeleteObject(font);
        EXPECT_TRUE(reckoned.cx == units.right && reckoned.cy == units.bottom)
            << "base units reckoned as the dialog manager does: template " + std::to_string(ids[i]);
    }
}

// A label may run under its neighbour only where the template itself puts
// it so, at 96 DPI; never because of the DPI.
void ReportHiddenText() {
    for (const auto& [where, dpis] : g_hidden) {
        std::string at;
        for (UINT dpi : dpis) at.append(" ").append(std::to_string(dpi));
        if (dpis.count(96) != 0)
            std::printf("note: as at 96 DPI, at DPI%s a label's text runs under another control: %s\n", at.c_str(),
                        where.c_str());
        else
            ADD_FAILURE() << "a label's text under no other control: " << where + ", at DPI" + at;
    }
}

struct Placed {
    HWND hwnd;
    RECT rect;
    bool operator==(const Placed& other) const { return hwnd == other.hwnd && EqualRect(&rect, &other.rect); }
};

BOOL CALLBACK Record(HWND hwnd, LPARAM list) {
    auto& placed = *reinterpret_cast<std::vector<Placed>*>(list);
    placed.push_back(Placed{hwnd, RectIn(hwnd, MainWindow())});
    return TRUE;
}

std::vector<Placed> Layout(HWND main) {
    RECT client;
    GetClientRect(main, &client);
    std::vector<Placed> placed{{main, client}};
    EnumChildWindows(main, Record, reinterpret_cast<LPARAM>(&placed));
    return placed;
}

// What Windows sends when the window has moved to a monitor of `dpi`.
void MoveToMonitorOf(HWND main, UINT from, UINT dpi) {
    RECT window;
    GetWindowRect(main, &window);
    RECT suggested{window.left, window.top,
                   window.left + MulDiv(window.right - window.left, static_cast<int>(dpi), static_cast<int>(from)),
                   window.top + MulDiv(window.bottom - window.top, static_cast<int>(dpi), static_cast<int>(from))};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

TEST(Layout, TheMainWindowForTheSystemsDpi) { CheckMainWindow(MainWindow(), SystemDpi()); }

TEST(Layout, TheAboutBoxForTheSystemsDpi) { CheckAboutBox(SystemDpi()); }

// At 96 DPI the dialog manager's own layout is the reference for the moves.
TEST(Layout, BaseUnitsReckonedAsTheDialogManagerDoes) {
    if (SystemDpi() != 96) GTEST_SKIP() << "the dialog manager's units are compared at 96 DPI";
    CheckBaseUnits(MainWindow());
}

// From 96 DPI the moves to each of the others; from the others, to 96. Then back.
TEST(Layout, MovesToMonitorsOfOtherDpisAndBack) {
    HWND main = MainWindow();
    const UINT dpi = SystemDpi();
    const std::vector<Placed> before = Layout(main);
    const std::vector<UINT> moves = dpi == 96 ? std::vector<UINT>{120, 144, 192} : std::vector<UINT>{96};
    UINT at = dpi;
    for (UINT other : moves) {
        MoveToMonitorOf(main, at, other);
        at = other;
        CheckMainWindow(main, other);
    }
    MoveToMonitorOf(main, at, dpi);
    EXPECT_TRUE(Layout(main) == before) << "every control back in its place after moves there and back, from "
                                        << dpi << " DPI";
}

// Last, after the tests above measured every label at each DPI.
TEST(Layout, NoLabelRunsUnderAnotherControlBecauseOfTheDpi) { ReportHiddenText(); }

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    windows_test::InitTests(argc, argv);
    return windows_test::RunTestsInMainWindow();
}
