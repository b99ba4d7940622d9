#include "SystemColours.h"

#include "DialogWindow.h"
#include "SystemFunction.h"
#include "dialog/Contrast.h"

namespace colours {

namespace {

bool SystemHighContrast() {
    HIGHCONTRASTW state{sizeof state, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) &&
           (state.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastQuery& Query() {
    static HighContrastQuery query = SystemHighContrast;
    return query;
}

bool ReadsOnWhite(COLORREF colour) {
    const dlg::Rgb rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    return dlg::ContrastRatio(rgb, {255, 255, 255}) >= dlg::kReadableContrast;
}

// uxtheme comes with the common controls 6 the manifest asks for.
void SetTheme(HWND control, bool classic) {
    const auto setWindowTheme =
        SystemFunction<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>(L"uxtheme.dll", "SetWindowTheme");
    if (setWindowTheme == nullptr) return;
    if (classic)
        setWindowTheme(control, L" ", L" ");  // a class list that names no class: no visual style
    else
        setWindowTheme(control, nullptr, nullptr);
}

// `refit` set: the scheme changed, so a tab control may get its style back.
BOOL CALLBACK FitTabControl(HWND child, LPARAM refit) {
    if (!IsClass(child, WC_TABCONTROLW)) return TRUE;
    // The visual style draws its tabs light whatever the scheme, but the
    // labels in the scheme's button-text colour: a light one vanishes there.
    const bool classic = !ReadsOnWhite(GetSysColor(COLOR_BTNTEXT));
    if (classic || refit) SetTheme(child, classic);
    return TRUE;
}

// The scheme's window-text colour where it reads on white, black where not.
COLORREF PageTextColour() {
    const COLORREF scheme = GetSysColor(COLOR_WINDOWTEXT);
    return ReadsOnWhite(scheme) ? scheme : RGB(0, 0, 0);
}

BOOL CALLBACK ForwardSysColorChange(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

void SetHighContrastQuery(HighContrastQuery query) { Query() = query != nullptr ? query : SystemHighContrast; }

bool HighContrastOn() { return Query()(); }

HBRUSH PageControlColours(HDC dc) {
    if (HighContrastOn()) return nullptr;
    SetTextColor(dc, PageTextColour());
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void FitTabControls(HWND dialog) { EnumChildWindows(dialog, FitTabControl, FALSE); }

void SchemeChanged(HWND dialog, UINT message) {
    if ((GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) != 0) return;  // the top-level dialog sees to its pages
    // The system tells top-level windows only; the common controls keep
    // the scheme's colours until they are told too.
    if (message == WM_SYSCOLORCHANGE) EnumChildWindows(dialog, ForwardSysColorChange, 0);
    EnumChildWindows(dialog, FitTabControl, TRUE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace colours
