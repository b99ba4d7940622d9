#include "DpiLayout.h"

#include "Dpi.h"
#include "Pictures.h"
#include "Resources.h"
#include "WindowQueries.h"
#include "dialog/DialogUnits.h"

#include <utility>

namespace {

// Changes a window's size so that its client area becomes `size`.
void SetClientSize(HWND hwnd, SIZE size) {
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + size.cx - client.right,
                 window.bottom - window.top + size.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Release(std::vector<HBITMAP>& pictures) {
    for (HBITMAP picture : pictures) DeleteObject(picture);
    pictures.clear();
}

void Release(std::vector<HICON>& icons) {
    for (HICON icon : icons) DestroyIcon(icon);
    icons.clear();
}

}  // namespace

DpiLayout::~DpiLayout() {
    Release(m_pictures);
    Release(m_icons);
    if (m_font != nullptr) DeleteObject(m_font);
}

void DpiLayout::Attach(HWND hwnd, int templateId) {
    m_hwnd = hwnd;
    m_template = &res::Script().dialog(templateId);
    m_dpi = dpi::OfWindow(hwnd);
    HFONT font96 = dpi::CreateDialogFont(*m_template, dpi::kBase);
    m_baseUnits96 = dpi::BaseUnitsOf(font96);
    DeleteObject(font96);
    // At 96 DPI the dialog manager's font and layout are already ours.
    if (m_dpi != dpi::kBase)
        Apply(m_dpi);
    else
        ShowImages();
}

void DpiLayout::Apply(UINT dpi) {
    if (m_template == nullptr) return;
    // The controls' font only: the dialog's own stays the one the dialog
    // manager made and frees.
    HFONT previous = m_font;
    m_font = dpi::CreateDialogFont(*m_template, dpi);
    for (HWND control : ChildWindows(m_hwnd)) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (previous != nullptr) DeleteObject(previous);
    m_dpi = dpi;
    PlaceControls();
    ShowImages();
}

// Where the dialog manager puts a rectangle of the template at 96 DPI, at
// our DPI; its edges scale, so that controls side by side stay side by side.
RECT DpiLayout::Pixels(const dlg::DluRect& units) const {
    const dlg::PixelBox box = dlg::ToPixels(units, dlg::BaseUnits{m_baseUnits96.cx, m_baseUnits96.cy});
    return RECT{dpi::Scale(box.x, m_dpi), dpi::Scale(box.y, m_dpi), dpi::Scale(box.x + box.width, m_dpi),
                dpi::Scale(box.y + box.height, m_dpi)};
}

void DpiLayout::PlaceControls() {
    const std::vector<HWND> controls = ChildWindows(m_hwnd);
    for (size_t i = 0; i < controls.size() && i < m_template->controls.size(); ++i) {
        const RECT place = Pixels(m_template->controls[i].rect);
        SetWindowPos(controls[i], nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A page is sized by its owner; a window of its own by its template.
    if ((GetWindowLongW(m_hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        const RECT client = Pixels(dlg::DluRect{0, 0, m_template->rect.width, m_template->rect.height});
        SetClientSize(m_hwnd, SIZE{client.right, client.bottom});
    }
}

void DpiLayout::ShowImages() {
    std::vector<HBITMAP> pictures;
    std::vector<HICON> icons;
    const std::vector<HWND> controls = ChildWindows(m_hwnd);
    for (size_t i = 0; i < controls.size() && i < m_template->controls.size(); ++i) {
        const int id = m_template->controls[i].imageId;
        if (id == 0 || !IsClass(controls[i], WC_STATICW)) continue;
        const LONG type = GetWindowLongW(controls[i], GWL_STYLE) & SS_TYPEMASK;
        if (type == SS_BITMAP) {
            if (HBITMAP picture = LoadPicture(id, m_dpi)) {
                SendMessageW(controls[i], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
                pictures.push_back(picture);
            }
        } else if (type == SS_ICON) {
            if (HICON icon = dpi::LoadIconOfSize(id, dpi::SystemMetric(SM_CXICON, m_dpi))) {
                SendMessageW(controls[i], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
                icons.push_back(icon);
            }
        }
    }
    Release(m_pictures);
    Release(m_icons);
    m_pictures = std::move(pictures);
    m_icons = std::move(icons);
}
