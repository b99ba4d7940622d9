#include "Dpi.h"

namespace {

// A function of a system DLL that older Windows may lack; null there.
template <class Function>
Function Lookup(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

}  // namespace

namespace dpi {

UINT OfWindow(HWND hwnd) {
    // Windows 10 1607 and later.
    static const auto forWindow = Lookup<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (forWindow != nullptr) {
        if (const UINT dpi = forWindow(hwnd)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBase;
}

int SystemMetric(int index, UINT dpi) {
    static const auto forDpi = Lookup<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, dpi) : GetSystemMetrics(index);
}

HICON LoadIconOfSize(int id, int size) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    // Common controls 6 (Vista and later): scales the next larger image down.
    static const auto scaleDown =
        Lookup<HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*)>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown != nullptr && SUCCEEDED(scaleDown(module, MAKEINTRESOURCEW(id), size, size, &icon))) return icon;
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void KeepDialogManagerOut(HWND dialog) {
    // Windows 10 1703 and later; DDC_DISABLE_ALL = 1.
    static const auto setBehavior = Lookup<BOOL(WINAPI*)(HWND, int, int)>(L"user32.dll", "SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) setBehavior(dialog, 1, 1);
}

}  // namespace dpi
