#include "dialog/Dialog.h"

#include "DialogWindow.h"
#include "Dom.h"

// The browser calls behind CDialog (dialog/Dialog.cpp): each one a call to
// the page's script, which holds the elements; notifications come back
// through Exports.cpp.

namespace {

int Length(const CString& text) { return static_cast<int>(text.size()); }

// A text the script hands over: its length first, then its units.
template <class LengthOf, class CopyOf>
CString ScriptText(LengthOf length, CopyOf copy) {
    CString text(static_cast<size_t>(length()), u'\0');
    if (!text.empty()) copy(text.data());
    return text;
}

}  // namespace

DialogWindow* CDialog::Window() const { return static_cast<DialogWindow*>(m_window.get()); }

std::unique_ptr<dlg::NativeDialog> dlg::NewNativeDialog(CDialog& owner) { return std::make_unique<DialogWindow>(owner); }

int dlg::NativeFocusId() {
    const int focused = dom_focused_control();
    if (focused == 0) return -1;
    int id = 0;
    DialogWindow::OfControl(focused, &id);
    return id;
}

bool DialogWindow::Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                          const std::function<bool()>& initDialog) {
    m_tpl = &tpl;
    Make(static_cast<const DialogWindow*>(parent), parentId, modal);
    initDialog();
    return true;
}

CString DialogWindow::Text(int id) const {
    const int control = Control(id);
    return ScriptText([control] { return dom_control_text_length(control); },
                      [control](char16_t* buffer) { dom_control_get_text(control, buffer); });
}

void DialogWindow::SetText(int id, const CString& text) {
    if (KindOf(id) == dlg::ControlKind::Edit) dom_trace_write(id, text.data(), Length(text));
    dom_control_set_text(Control(id), text.data(), Length(text));
}

void DialogWindow::Describe(int id, const CString& description) {
    dom_control_describe(Control(id), description.data(), Length(description));
}

void DialogWindow::Selection(int id, int& start, int& end) const {
    dom_edit_get_selection(Control(id), &start, &end);
}

void DialogWindow::SetSelection(int id, int start, int end) { dom_edit_set_selection(Control(id), start, end); }

void DialogWindow::ScrollCaret(int id) { dom_edit_scroll_caret(Control(id)); }

void DialogWindow::ListInsert(int id, int index, const CString& text) {
    dom_list_insert(Control(id), index, text.data(), Length(text));
}

int DialogWindow::ListCount(int id) const { return dom_list_count(Control(id)); }

CString DialogWindow::ListItem(int id, int index) const {
    const int control = Control(id);
    return ScriptText([control, index] { return dom_list_item_length(control, index); },
                      [control, index](char16_t* buffer) { dom_list_get_item(control, index, buffer); });
}

int DialogWindow::ListCurrent(int id) const { return dom_list_current(Control(id)); }

void DialogWindow::SetListCurrent(int id, int index) { dom_list_set_current(Control(id), index); }

bool DialogWindow::Checked(int id) const { return dom_button_check(Control(id)) != 0; }

void DialogWindow::SetChecked(int id, bool checked) { dom_button_set_check(Control(id), checked ? 1 : 0); }

void DialogWindow::InsertTab(int id, int index, const CString& label) {
    dom_tab_insert(Control(id), index, label.data(), Length(label));
}

int DialogWindow::TabCurrent(int id) const { return dom_tab_current(Control(id)); }

bool DialogWindow::Focus(int id) { return dom_control_focus(Control(id)) != 0; }

int DialogWindow::FocusedId() const {
    int id = 0;
    return OfControl(dom_focused_control(), &id) == this ? id : 0;
}

bool DialogWindow::WindowShown() const {
    return !m_inTemplateOrder.empty() && dom_control_window_shown(m_inTemplateOrder.front()) != 0;
}

void DialogWindow::Show(bool visible) { dom_window_show(m_handle, visible ? 1 : 0); }

bool DialogWindow::Visible() const { return dom_window_is_visible(m_handle) != 0; }

void DialogWindow::Move(const PixelRect& rect, bool) {
    dom_window_move(m_handle, rect.left, rect.top, rect.Width(), rect.Height());
}

// The page's script lays out in CSS pixels, which the browser draws at the
// screen's device pixel ratio itself.
PixelRect DialogWindow::ClientRect(int id) const {
    const dlg::PixelBox box = id == 0 ? m_client : Box(id);
    return PixelRect{0, 0, box.width, box.height};
}

void DialogWindow::ShowModal(NativeDialog*) { dom_window_show_modal(m_handle); }

int DialogWindow::RunModal(NativeDialog*) { return dom_window_run_modal(m_handle); }

void DialogWindow::EndModal(int result) { dom_window_end_modal(m_handle, result); }

void DialogWindow::SetIcon(int iconId) { dom_window_set_icon(m_handle, iconId); }
