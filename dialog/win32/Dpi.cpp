#include "Dpi.h"

#include "SystemFunction.h"

#include "dialog/DialogUnits.h"

namespace dpi {

UINT OfWindow(HWND hwnd) {
    // Windows 10 1607 and later.
    static const auto forWindow = SystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (forWindow != nullptr) {
        if (const UINT dpi = forWindow(hwnd)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBase;
}

int SystemMetric(int index, UINT dpi) {
    static const auto forDpi = SystemFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, dpi) : GetSystemMetrics(index);
}

HICON LoadIconOfSize(int id, int size) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    // Common controls 6 (Vista and later): scales the next larger image down.
    static const auto scaleDown =
        SystemFunction<HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*)>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown != nullptr && SUCCEEDED(scaleDown(module, MAKEINTRESOURCEW(id), size, size, &icon))) return icon;
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HFONT CreateDialogFont(const dlg::DialogTemplate& tpl, UINT dpi) {
    const int height96 = dlg::PointsToPixels(tpl.fontPoints);
    return CreateFontW(-Scale(height96, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       reinterpret_cast<const wchar_t*>(tpl.fontFace.c_str()));
}

SIZE BaseUnitsOf(HFONT font) {
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    SIZE letters{};
    GetTextMetricsW(screen, &metrics);
    GetTextExtentPoint32W(screen, kLetters, 52, &letters);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    const dlg::BaseUnits units = dlg::BaseUnitsFromMetrics(letters.cx, metrics.tmHeight);
    return SIZE{units.x, units.y};
}

void KeepDialogManagerOut(HWND dialog) {
    // Windows 10 1703 and later; DDC_DISABLE_ALL = 1.
    static const auto setBehavior = SystemFunction<BOOL(WINAPI*)(HWND, int, int)>(L"user32.dll", "SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) setBehavior(dialog, 1, 1);
}

}  // namespace dpi
