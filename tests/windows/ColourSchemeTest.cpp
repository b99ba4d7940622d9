// Colours under the colour scheme of the system it runs on, on the real main
// window: every text of the four pages reads on white, both from what the
// pages leave in the device context and from the pixels on screen; the tab
// labels, the menu and the About box read on their own faces; with high
// contrast on (answered through the layer's seam, since Wine never turns it
// on) the pages take the system's colours; each change of scheme repaints.
//
// lamino-colours-test NAME [DIR]: NAME names the scheme in the messages and
// in the pictures of each state, saved into DIR (a Windows path) when given.

#include "PngFile.h"
#include "WindowsTest.h"
#include "ScreenPicture.h"
#include "app/MainDlg.h"
#include "dialog/Contrast.h"
#include "dialog/win32/DialogWindow.h"
#include "dialog/win32/MessageLoop.h"
#include "dialog/win32/SystemColours.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using windows_test::MainWindow;

std::string g_scheme;
std::string g_pictures;

std::string Describe(HWND control) {
    std::string text = Utf8(WindowText(control));
    text.insert(text.begin(), '\'');
    return text + "' (control " + std::to_string(GetDlgCtrlID(control)) + ")";
}

BOOL CALLBACK Collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

dlg::Rgb RgbOf(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
dlg::Rgb RgbOfPixel(uint32_t p) {
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
}
constexpr dlg::Rgb kWhite{255, 255, 255};

// Wine draws the substitute Song face's thin strokes antialiased, never at
// full strength: a black "3.00" in a field peaks at 4.2:1 on white. The
// colours a page sets are held to 4.5:1; on screen a text must show at 3:1
// or more, where one in the colour of its face shows at 1:1.
constexpr double kShowsOnScreen = 3.0;

// A window as the screen shows it, once everything pending is painted.
struct Picture {
    RECT rect{};
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y - rect.top) * static_cast<size_t>(rect.right - rect.left) +
                      static_cast<size_t>(x - rect.left)] & 0xFFFFFF;
    }
};

Picture Take(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 3; ++i) PumpMessages();
    Picture picture;
    GetWindowRect(window, &picture.rect);
    picture.pixels = CaptureScreen(picture.rect);
    if (!g_pictures.empty() && !name.empty())
        WritePng(g_pictures + "\\" + g_scheme + "-" + name + ".png", picture.rect.right - picture.rect.left,
                 picture.rect.bottom - picture.rect.top, picture.pixels);
    return picture;
}

// How a text reads in an area of the screen: its strongest pixel against the
// commonest colour there, the face it is drawn on.
struct Reading {
    double contrast = 1.0;
    uint32_t face = 0;
};

// The weakest text seen on screen, for the summary.
Reading g_weakest{1e9, 0};
std::string g_weakestWhat;

Reading Read(const Picture& picture, RECT area) {
    std::map<uint32_t, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) ++counts[picture.At(x, y)];
    Reading reading;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count <= most) continue;
        most = count;
        reading.face = colour;
    }
    for (const auto& [colour, count] : counts)
        reading.contrast = std::max(reading.contrast, dlg::ContrastRatio(RgbOfPixel(colour), RgbOfPixel(reading.face)));
    return reading;
}

void CheckShows(const Picture& picture, RECT area, const std::string& what) {
    const Reading reading = Read(picture, area);
    if (reading.contrast < g_weakest.contrast) {
        g_weakest = reading;
        g_weakestWhat = what;
    }
    EXPECT_TRUE(reading.contrast >= kShowsOnScreen)
        << what + " shows on screen (" + std::to_string(reading.contrast) + ":1)";
}

RECT OnScreen(HWND window, RECT client) {
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// Where a control draws its text, on screen; empty for one that draws none.
RECT TextArea(HWND control) {
    RECT area{};
    GetClientRect(control, &area);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (IsClass(control, WC_STATICW)) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER) return {};
    } else if (IsClass(control, WC_BUTTONW)) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            // The title, set into the frame's top line a few pixels in.
            HDC dc = GetDC(control);
            HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            const CString title = WindowText(control);
            SIZE extent{};
            GetTextExtentPoint32W(dc, Wide(title), static_cast<int>(title.size()), &extent);
            SelectObject(dc, previous);
            ReleaseDC(control, dc);
            area = {8, 1, 7 + extent.cx, extent.cy - 1};
        } else if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
                   type == BS_CHECKBOX) {
            area.left += GetSystemMetrics(SM_CXMENUCHECK) + 2;  // right of the indicator
        } else {
            InflateRect(&area, -4, -4);  // inside a push button's edge
        }
    } else if (!IsClass(control, WC_EDITW)) {
        return {};
    }
    return OnScreen(control, area);
}

bool DrawsText(HWND control) {
    const RECT area = TextArea(control);
    return !IsRectEmpty(&area);
}

// The WM_CTLCOLOR* a control sends for its text.
UINT ColourMessageOf(HWND control) {
    if (IsClass(control, WC_EDITW)) return WM_CTLCOLOREDIT;
    if (IsClass(control, WC_BUTTONW) &&
        (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
        return WM_CTLCOLORBTN;
    return WM_CTLCOLORSTATIC;
}

// Asks for a control's colours as the control does: of the window it sends
// the message to (a combo box passes its edit part's on to the page), with a
// device context whose text colour is `before`.
struct Answer {
    LRESULT brush;
    COLORREF text;
    int mode;
};

Answer AskColours(HWND control, HDC dc, COLORREF before) {
    SetTextColor(dc, before);
    SetBkMode(dc, OPAQUE);
    const LRESULT brush = SendMessageW(GetParent(control), ColourMessageOf(control), reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    return {brush, GetTextColor(dc), GetBkMode(dc)};
}

HWND ShownPage(HWND main) {
    for (HWND child : Descendants(GetDlgItem(main, IDC_TAB)))
        if (DialogWindow::IsDialog(child) && IsWindowVisible(child)) return child;
    return nullptr;
}

void ShowTab(HWND main, int tab) {
    HWND tabs = GetDlgItem(main, IDC_TAB);
    TabCtrl_SetCurSel(tabs, tab);
    NMHDR change{tabs, IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(main, WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&change));
}

// Every text of a page, on white and readable.
void CheckPage(HWND page, int tab, const Picture& picture) {
    const std::string where = "page " + std::to_string(tab + 1) + " ";
    HDC dc = GetDC(page);
    const auto white = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    for (HWND control : Descendants(page)) {
        if (!IsWindowVisible(control)) continue;
        const RECT area = TextArea(control);
        if (IsRectEmpty(&area)) continue;
        const std::string what = where + Describe(control);
        // As the default handling leaves it: the scheme's window-text colour.
        const Answer answer = AskColours(control, dc, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_TRUE(answer.brush == white) << what + ": painted on white";
        EXPECT_TRUE(answer.mode == TRANSPARENT) << what + ": text drawn without a background fill";
        EXPECT_TRUE(dlg::ContrastRatio(RgbOf(answer.text), kWhite) >= dlg::kReadableContrast)
            << what + ": text colour set to one that reads on white";
        CheckShows(picture, area, what);
        EXPECT_TRUE(dlg::RelativeLuminance(RgbOfPixel(Read(picture, area).face)) >= 0.9) << what + " is shown on white";
    }
    ReleaseDC(page, dc);
}

void CheckFrame(HWND main, const Picture& picture) {
    HWND tabs = GetDlgItem(main, IDC_TAB);
    for (int tab = 0; tab < TabCtrl_GetItemCount(tabs); ++tab) {
        RECT item{};
        TabCtrl_GetItemRect(tabs, tab, &item);
        InflateRect(&item, -4, -3);
        CheckShows(picture, OnScreen(tabs, item), "the label of tab " + std::to_string(tab + 1));
    }
    MENUBARINFO menu{};
    menu.cbSize = sizeof menu;
    if (GetMenuBarInfo(main, OBJID_MENU, 1, &menu)) {
        InflateRect(&menu.rcBar, -2, -2);
        CheckShows(picture, menu.rcBar, "the menu item");
    }
}

bool HasPendingPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

void SettlePaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(!HasPendingPaint(ShownPage(window))) << "nothing left to paint before the scheme changes";
}

bool HighContrastForTheTest() { return true; }

// High contrast on: the pages leave their colours to the system; off again:
// back to white. Each change repaints the page.
void CheckHighContrast(HWND main) {
    ShowTab(main, 1);
    HWND page = ShownPage(main);
    const auto white = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    SettlePaint(main);
    colours::SetHighContrastQuery(HighContrastForTheTest);
    SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(HasPendingPaint(page)) << "the page repaints when high contrast comes on";
    HDC dc = GetDC(page);
    for (HWND control : Descendants(page)) {
        if (!DrawsText(control)) continue;
        const UINT message = ColourMessageOf(control);
        const Answer answer = AskColours(control, dc, RGB(1, 2, 3));
        const int face = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
        const std::string what = "under high contrast, " + Describe(control);
        EXPECT_TRUE(answer.brush == reinterpret_cast<LRESULT>(GetSysColorBrush(face))) << what + ": the system's face";
        EXPECT_TRUE(answer.text == GetSysColor(COLOR_WINDOWTEXT)) << what + ": the system's text colour";
    }
    Take(main, "high-contrast");
    SettlePaint(main);
    colours::SetHighContrastQuery(nullptr);
    SendMessageW(main, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(HasPendingPaint(page)) << "the page repaints when high contrast goes off";
    for (HWND control : Descendants(page)) {
        if (DrawsText(control)) {
            EXPECT_TRUE(AskColours(control, dc, RGB(1, 2, 3)).brush == white)
                << "after high contrast, " + Describe(control) + ": white again";
        }
    }
    ReleaseDC(page, dc);
    CheckFrame(main, Take(main, ""));  // the tab labels are fitted to the scheme again
}

// Empty fields get a number, so that each shows a text to read.
void FillEmptyFields(HWND page) {
    for (HWND control : Descendants(page))
        if (IsClass(control, WC_EDITW) && GetWindowTextLengthW(control) == 0)
            SetWindowTextW(control, L"0.123456");
}

HWND AboutBox(HWND main) {
    HWND active = GetActiveWindow();
    return active != main && DialogWindow::IsDialog(active) ? active : nullptr;
}

bool g_aboutBoxChecked = false;

// Fires inside the About box's own modal loop.
void CALLBACK CheckAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = AboutBox(MainWindow());
    EXPECT_TRUE(box != nullptr) << "the Help item opens the About box";
    if (box != nullptr) {
        const Picture picture = Take(box, "about");
        for (HWND control : Descendants(box)) {
            const RECT area = TextArea(control);
            if (IsRectEmpty(&area)) continue;
            CheckShows(picture, area, "About box " + Describe(control));
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    g_aboutBoxChecked = true;
}

TEST(Colours, EveryTextOfThePagesReadsOnWhite) {
    HWND main = MainWindow();
    for (int tab = 0; tab < 4; ++tab) {
        ShowTab(main, tab);
        HWND page = ShownPage(main);
        FillEmptyFields(page);
        const Picture picture = Take(main, "tab" + std::to_string(tab + 1));
        CheckPage(page, tab, picture);
        CheckFrame(main, picture);
    }
}

TEST(Colours, HighContrastGivesThePagesTheSystemsColours) { CheckHighContrast(MainWindow()); }

TEST(Colours, TheAboutBoxReadsOnItsFace) {
    HWND main = MainWindow();
    ShowTab(main, 0);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(ID_HELP_ABOUT, 0), 0);
    SetTimer(nullptr, 0, 200, CheckAboutBox);
    windows_test::PumpUntil([] { return g_aboutBoxChecked && AboutBox(MainWindow()) == nullptr; });
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    windows_test::InitTests(argc, argv);
    auto narrow = [](const wchar_t* text) { return Utf8(CString(text, text + lstrlenW(text))); };
    g_scheme = argc > 1 ? narrow(argv[1]) : "scheme";
    if (argc > 2) g_pictures = narrow(argv[2]);
    const int result = windows_test::RunTestsInMainWindow();
    std::printf("colours (%s): weakest text on screen %.1f:1, %s\n", g_scheme.c_str(), g_weakest.contrast,
                g_weakestWhat.c_str());
    return result;
}
