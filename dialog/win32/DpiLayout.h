#pragma once
// A dialog laid out for the DPI it is drawn at. The dialog manager places
// controls by the dialog font's character size, which rounds differently at
// each DPI and for each point size; so every control goes where the dialog
// manager puts it at 96 DPI, scaled by the DPI, in the 96-DPI font scaled
// likewise, and the dialogs of a window keep the proportions they were drawn
// with. Pictures and icons come in the size the DPI asks for.

#include "Windows.h"
#include "dialog/ResourceScript.h"

#include <vector>

class DpiLayout {
public:
    DpiLayout() = default;
    ~DpiLayout();
    DpiLayout(const DpiLayout&) = delete;
    DpiLayout& operator=(const DpiLayout&) = delete;

    // Takes over dialog `hwnd`, just made from template `templateId`, at the
    // DPI of its window.
    void Attach(HWND hwnd, int templateId);
    // Lays the dialog out anew for `dpi`, its font included.
    void Apply(UINT dpi);
    UINT Dpi() const { return m_dpi; }

private:
    RECT Pixels(const dlg::DluRect& units) const;
    void PlaceControls();
    void ShowImages();

    HWND m_hwnd = nullptr;
    const dlg::DialogTemplate* m_template = nullptr;  // the script's, for the life of the program
    SIZE m_baseUnits96{};
    UINT m_dpi = 0;
    HFONT m_font = nullptr;  // ours, once the DPI has changed; the dialog manager's before
    std::vector<HBITMAP> m_pictures;
    std::vector<HICON> m_icons;
};
