#include "dialog/Dialog.h"

#include "DialogWindow.h"
#include "Dom.h"
#include "Resources.h"

// CDialog in the browser: every operation is a call to the page's script,
// which holds the elements; notifications come back through Exports.cpp.

using namespace win32;

namespace {

CDialog::WriteObserver& Observer() {
    static CDialog::WriteObserver observer;
    return observer;
}

// Win32 keeps one focus window per thread, even while a dialog is still
// being built and not yet shown; a page has no focus before it is shown.
// SetFocus on a window that is not shown yet is remembered here.
int& FocusBeforeShow() {
    static int control = 0;
    return control;
}

int Length(const CString& text) { return static_cast<int>(text.size()); }


bool IsEditPart(dlg::ControlKind kind) { return kind == dlg::ControlKind::Edit || kind == dlg::ControlKind::ComboBox; }

}  // namespace

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() = default;

void CDialog::CreateWindowFromTemplate(CDialog* parent, int parentId, bool modal) {
    const dlg::DialogTemplate& tpl = res::Script().dialog(m_templateId);
    const DialogWindow* parentWindow = parent != nullptr ? parent->m_window.get() : nullptr;
    m_window = std::make_unique<DialogWindow>(*this, tpl, parentWindow, parentId, modal);
}

int CDialog::DoModal(CDialog* owner) {
    CreateWindowFromTemplate(owner, 0, true);
    if (OnInitDialog()) SetFocus(m_window->FirstFocusableId());
    dom_window_show_modal(m_window->Handle());
    if (const int pending = FocusBeforeShow(); pending != 0 && DialogWindow::OfControl(pending, nullptr) == m_window.get()) {
        FocusBeforeShow() = 0;
        dom_control_focus(pending);
    }
    const int result = dom_window_run_modal(m_window->Handle());
    m_window.reset();
    return result;
}

bool CDialog::Create(CDialog* parent, int parentId) {
    CreateWindowFromTemplate(parent, parentId, false);
    OnInitDialog();
    return true;
}

void CDialog::EndDialog(int result) {
    if (m_window) dom_window_end_modal(m_window->Handle(), result);
}

void CDialog::ShowWindow(int command) {
    if (m_window) dom_window_show(m_window->Handle(), command != SW_HIDE);
}

bool CDialog::IsWindowVisible() const { return m_window && dom_window_is_visible(m_window->Handle()); }

void CDialog::MoveWindow(const PixelRect& rect, bool) {
    if (m_window) dom_window_move(m_window->Handle(), rect.left, rect.top, rect.Width(), rect.Height());
}

PixelRect CDialog::GetClientRect(int id) const {
    if (!m_window) return {};
    const dlg::PixelBox box = id == 0 ? m_window->ClientBox() : m_window->Box(id);
    return PixelRect{0, 0, box.width, box.height};
}

CString CDialog::GetWindowText() const { return m_window ? m_window->Title() : CString(); }

void CDialog::SetWindowText(const CString& text) {
    if (m_window) m_window->SetTitle(text);
}

// The page's script lays out in CSS pixels, which the browser draws at the
// screen's device pixel ratio itself.
int CDialog::ScaleForDpi(int pixels) const { return pixels; }

CString CDialog::GetDlgItemText(int id) const {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0) return {};
    CString text(static_cast<size_t>(dom_control_text_length(control)), u'\0');
    if (!text.empty()) dom_control_get_text(control, text.data());
    return text;
}

void CDialog::SetDlgItemText(int id, const CString& text) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0) return;
    const bool isEdit = m_window->KindOf(id) == dlg::ControlKind::Edit;
    if (isEdit) {
        if (Observer()) Observer()(id, text);
        dom_trace_write(id, text.data(), Length(text));
    }
    dom_control_set_text(control, text.data(), Length(text));
    if (isEdit) OnCommand(id, EN_CHANGE);
}

int CDialog::GetFocusId() {
    int id = 0;
    if (const int focused = dom_focused_control(); focused != 0) {
        DialogWindow::OfControl(focused, &id);
        return id;
    }
    const int pending = FocusBeforeShow();
    if (pending != 0 && !dom_control_window_shown(pending)) DialogWindow::OfControl(pending, &id);
    return id;
}

void CDialog::SetFocus(int id) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0) return;
    FocusBeforeShow() = dom_control_focus(control) ? 0 : control;
}

void CDialog::GetSel(int id, int& start, int& end) const {
    start = end = 0;
    const int control = m_window ? m_window->Control(id) : 0;
    if (control != 0 && IsEditPart(m_window->KindOf(id))) dom_edit_get_selection(control, &start, &end);
}

void CDialog::SetSel(int id, int start, int end) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control != 0 && IsEditPart(m_window->KindOf(id))) dom_edit_set_selection(control, start, end);
}

void CDialog::ScrollCaret(int id) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control != 0 && IsEditPart(m_window->KindOf(id))) dom_edit_scroll_caret(control);
}

int CDialog::LineLength(int id, int line) const {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0 || !IsEditPart(m_window->KindOf(id))) return 0;
    const int length = dom_control_text_length(control);
    if (line >= 0) return length;
    int start = 0, end = 0;
    dom_edit_get_selection(control, &start, &end);
    return length - (end - start);  // unselected characters
}

int CDialog::AddString(int id, const CString& text) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0 || m_window->KindOf(id) != dlg::ControlKind::ComboBox) return -1;
    const int count = dom_list_count(control);
    int index = count;
    for (const dlg::ControlTemplate& c : m_window->Template().controls) {
        if (c.id != id || !c.has(CBS_SORT)) continue;
        // Sorted as Windows sorts a list: case-insensitively, the first of equals first.
        auto folded = [](CString s) {
            for (char16_t& ch : s)
                if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - u'a' + u'A');
            return s;
        };
        index = 0;
        while (index < count && folded(GetLBText(id, index)) <= folded(text)) ++index;
        break;
    }
    dom_list_insert(control, index, text.data(), Length(text));
    return index;
}

void CDialog::SetCurSel(int id, int index) {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0) return;
    dom_list_set_current(control, index >= 0 && index < dom_list_count(control) ? index : -1);
}

int CDialog::GetCurSel(int id) const {
    const int control = m_window ? m_window->Control(id) : 0;
    return control != 0 ? dom_list_current(control) : -1;
}

CString CDialog::GetLBText(int id, int index) const {
    const int control = m_window ? m_window->Control(id) : 0;
    if (control == 0 || index < 0 || index >= dom_list_count(control)) return {};
    CString text(static_cast<size_t>(dom_list_item_length(control, index)), u'\0');
    if (!text.empty()) dom_list_get_item(control, index, text.data());
    return text;
}

int CDialog::GetCheck(int id) const {
    const int control = m_window ? m_window->Control(id) : 0;
    return control != 0 && dom_button_check(control) ? BST_CHECKED : BST_UNCHECKED;
}

void CDialog::SetCheck(int id, int state) {
    if (const int control = m_window ? m_window->Control(id) : 0) dom_button_set_check(control, state == BST_CHECKED);
}

void CDialog::InsertTab(int id, int index, const CString& label) {
    if (const int control = m_window ? m_window->Control(id) : 0)
        dom_tab_insert(control, index, label.data(), Length(label));
}

int CDialog::GetTabCurSel(int id) const {
    const int control = m_window ? m_window->Control(id) : 0;
    return control != 0 ? dom_tab_current(control) : -1;
}

CString CDialog::LoadString(int id) {
    const auto& strings = res::Script().strings;
    const auto it = strings.find(id);
    return it == strings.end() ? CString() : it->second;
}

void CDialog::SetWriteObserver(WriteObserver observer) { Observer() = std::move(observer); }

void CDialog::SetIcon(int iconId) {
    if (m_window) dom_window_set_icon(m_window->Handle(), iconId);
}

bool CDialog::AppendSystemMenuItem(int, const CString&) {
    return false;  // the browser owns the window's menu
}
