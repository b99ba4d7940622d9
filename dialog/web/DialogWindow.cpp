#include "DialogWindow.h"

#include "Dom.h"
#include "Resources.h"
#include "dialog/ControlNames.h"

#include <vector>

using namespace win32;

namespace {

struct ControlOwner {
    DialogWindow* window;
    int id;
};

std::map<int, ControlOwner>& ControlOwners() {
    static std::map<int, ControlOwner> owners;
    return owners;
}

std::map<int, DialogWindow*>& Windows() {
    static std::map<int, DialogWindow*> windows;
    return windows;
}

dlg::BaseUnits UnitsOf(const std::u16string& face, int pixels) {
    static std::map<std::pair<std::u16string, int>, dlg::BaseUnits> measured;
    const auto key = std::make_pair(face, pixels);
    if (const auto it = measured.find(key); it != measured.end()) return it->second;
    int alphabetWidth = 0, height = 0;
    dom_font_metrics(face.data(), static_cast<int>(face.size()), pixels, &alphabetWidth, &height);
    return measured[key] = dlg::BaseUnitsFromMetrics(alphabetWidth, height);
}

}  // namespace

void DialogWindow::Make(const DialogWindow* parent, int parentId, bool modal) {
    const dlg::DialogTemplate& tpl = *m_tpl;
    const std::u16string face = dlg::SubstituteFace(tpl.fontFace);
    const int pixels = dlg::PointsToPixels(tpl.fontPoints > 0 ? tpl.fontPoints : 9);
    m_units = UnitsOf(face, pixels);
    m_client = dlg::ToPixels(tpl.rect, m_units);
    const int parentControl = parent != nullptr ? parent->Control(parentId) : 0;
    m_handle = dom_window_create(parentControl, modal ? 1 : 0, m_client.width, m_client.height,
                                 m_owner.PaintsWhiteBackground() ? 1 : 0, face.data(), static_cast<int>(face.size()),
                                 pixels);
    Windows()[m_handle] = this;
    m_title = tpl.caption;
    if (!m_title.empty()) dom_window_set_title(m_handle, m_title.data(), static_cast<int>(m_title.size()));
    if (tpl.menuId != 0) {
        const auto& menus = res::Script().menus;
        if (const auto it = menus.find(tpl.menuId); it != menus.end())
            for (const dlg::MenuItem& item : it->second.items)
                dom_window_add_menu_item(m_handle, item.commandId, item.text.data(), static_cast<int>(item.text.size()));
    }
    Build();
}

DialogWindow::~DialogWindow() {
    if (m_handle == 0) return;
    for (const auto& [id, entry] : m_controls) ControlOwners().erase(entry.handle);
    Windows().erase(m_handle);
    dom_window_destroy(m_handle);
}

void DialogWindow::Build() {
    std::vector<int>& handles = m_inTemplateOrder;
    handles.reserve(m_tpl->controls.size());
    for (const dlg::ControlTemplate& c : m_tpl->controls) {
        const dlg::PixelBox box = dlg::ToPixels(c.rect, m_units);
        const int handle =
            dom_control_create(m_handle, c.id, static_cast<int>(c.kind()), c.style, box.x, box.y, box.width,
                               box.height, c.text.data(), static_cast<int>(c.text.size()), c.imageId);
        handles.push_back(handle);
        ControlOwners()[handle] = ControlOwner{this, c.id};
        if (c.id != -1 && m_controls.find(c.id) == m_controls.end())
            m_controls[c.id] = ControlEntry{handle, c.kind(), box};
    }
    // A group box holds the controls it frames, so that assistive technology
    // reads them as a group under its title.
    for (size_t i = 0; i < m_tpl->controls.size(); ++i)
        if (const int frame = dlg::EnclosingGroup(*m_tpl, i); frame != -1)
            dom_control_set_group(handles[i], handles[static_cast<size_t>(frame)]);
    NameControls();
}

// Fields are named by the label beside them, pictures by page and frame.
void DialogWindow::NameControls() {
    const std::vector<int>& handles = m_inTemplateOrder;
    const std::vector<std::u16string> names = dlg::ControlNames(*m_tpl, m_title);
    for (size_t i = 0; i < m_tpl->controls.size(); ++i) {
        if (const dlg::ControlTemplate* label = dlg::LabelBeside(*m_tpl, i))
            dom_control_set_label(handles[i], handles[static_cast<size_t>(label - m_tpl->controls.data())]);
        else if (!names[i].empty())
            dom_control_set_name(handles[i], names[i].data(), static_cast<int>(names[i].size()));
    }
}

void DialogWindow::SetTitle(const CString& title) {
    m_title = title;
    dom_window_set_title(m_handle, title.data(), static_cast<int>(title.size()));
    NameControls();
}

int DialogWindow::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? 0 : it->second.handle;
}

dlg::PixelBox DialogWindow::Box(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? dlg::PixelBox{} : it->second.box;
}

dlg::ControlKind DialogWindow::KindOf(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? dlg::ControlKind::Label : it->second.kind;
}

DialogWindow* DialogWindow::OfControl(int control, int* id) {
    const auto it = ControlOwners().find(control);
    if (it == ControlOwners().end()) return nullptr;
    if (id != nullptr) *id = it->second.id;
    return it->second.window;
}

DialogWindow* DialogWindow::OfHandle(int window) {
    const auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : it->second;
}
