#include "Dialog.h"

#include "CaseFold.h"
#include "NativeDialog.h"

#include <algorithm>
#include <cstdlib>

// CDialog on every front end: the rules of a Win32 dialog, over the native
// calls of dlg::NativeDialog.

using namespace win32;

namespace res {
const dlg::ResourceScript& Script();  // each front end's: the resource script it carries
}

namespace {

CDialog::WriteObserver& Observer() {
    static CDialog::WriteObserver observer;
    return observer;
}

// Win32 keeps one focus window per thread, even while a dialog is still
// being built and not yet shown; a toolkit knows focus only in a window on
// screen. SetFocus on a window that is not shown yet is remembered here.
struct PendingFocus {
    const dlg::NativeDialog* window = nullptr;
    int id = 0;
};

PendingFocus& FocusBeforeShow() {
    static PendingFocus pending;
    return pending;
}

int Length(const CString& text) { return static_cast<int>(text.size()); }

bool TakesFocus(dlg::ControlKind kind) {
    switch (kind) {
    case dlg::ControlKind::Edit:
    case dlg::ControlKind::ComboBox:
    case dlg::ControlKind::RadioButton:
    case dlg::ControlKind::CheckBox:
    case dlg::ControlKind::PushButton:
    case dlg::ControlKind::TabControl: return true;
    default: return false;
    }
}

}  // namespace

namespace dlg {

int FirstFocusableId(const DialogTemplate& tpl) {
    int fallback = 0;
    for (const ControlTemplate& c : tpl.controls) {
        if (!TakesFocus(c.kind()) || c.id == -1) continue;
        if (c.has(WS_TABSTOP)) return c.id;
        if (fallback == 0) fallback = c.id;
    }
    return fallback;
}

int DefaultButtonId(const DialogTemplate& tpl) {
    for (const ControlTemplate& c : tpl.controls)
        if (c.kind() == ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return c.id;
    return IDOK;
}

const ControlTemplate* FindControl(const DialogTemplate& tpl, int id) {
    if (id == -1) return nullptr;
    const auto it = std::find_if(tpl.controls.begin(), tpl.controls.end(), [id](const auto& c) { return c.id == id; });
    return it == tpl.controls.end() ? nullptr : &*it;
}

}  // namespace dlg

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() { DestroyWindow(); }

bool CDialog::CreateWindowFromTemplate(CDialog* parent, int parentId, bool modal, bool* focusFirst) {
    DestroyWindow();
    m_tpl = &res::Script().dialog(m_templateId);
    m_window = dlg::NewNativeDialog(*this);
    dlg::NativeDialog* parentWindow = parent != nullptr ? parent->m_window.get() : nullptr;
    const bool created = m_window->Create(*m_tpl, parentWindow, parentId, modal, [this, focusFirst] {
        const bool first = OnInitDialog();
        if (focusFirst != nullptr) *focusFirst = first;
        return first;
    });
    if (!created) DestroyWindow();
    return created;
}

void CDialog::DestroyWindow() {
    if (FocusBeforeShow().window == m_window.get()) FocusBeforeShow() = {};
    m_window.reset();
}

int CDialog::DoModal(CDialog* owner) {
    bool focusFirst = false;
    if (!CreateWindowFromTemplate(owner, 0, true, &focusFirst)) return -1;
    if (focusFirst) SetFocus(dlg::FirstFocusableId(*m_tpl));
    dlg::NativeDialog* ownerWindow = owner != nullptr ? owner->m_window.get() : nullptr;
    m_window->ShowModal(ownerWindow);
    if (const PendingFocus pending = FocusBeforeShow(); pending.window == m_window.get() && pending.id != 0) {
        FocusBeforeShow() = {};
        m_window->Focus(pending.id);
    }
    const int result = m_window->RunModal(ownerWindow);
    DestroyWindow();
    return result;
}

bool CDialog::Create(CDialog* parent, int parentId) { return CreateWindowFromTemplate(parent, parentId, false, nullptr); }

void CDialog::EndDialog(int result) {
    if (m_window) m_window->EndModal(result);
}

const dlg::ControlTemplate* CDialog::ControlOf(int id, dlg::ControlKind kind) const {
    const dlg::ControlTemplate* c = m_window ? dlg::FindControl(*m_tpl, id) : nullptr;
    return c != nullptr && c->kind() == kind ? c : nullptr;
}

bool CDialog::HasEditPart(int id) const {
    return ControlOf(id, dlg::ControlKind::Edit) != nullptr || ControlOf(id, dlg::ControlKind::ComboBox) != nullptr;
}

// ------------------------------------------------------------ the window

void CDialog::ShowWindow(int command) {
    if (m_window) m_window->Show(command != SW_HIDE);
}

bool CDialog::IsWindowVisible() const { return m_window && m_window->Visible(); }

void CDialog::MoveWindow(const PixelRect& rect, bool repaint) {
    if (m_window) m_window->Move(rect, repaint);
}

PixelRect CDialog::GetClientRect(int id) const {
    if (!m_window || (id != 0 && dlg::FindControl(*m_tpl, id) == nullptr)) return {};
    return m_window->ClientRect(id);
}

int CDialog::ScaleForDpi(int pixels) const { return m_window ? m_window->ScaleForDpi(pixels) : pixels; }

CString CDialog::GetWindowText() const { return m_window ? m_window->Title() : CString(); }

void CDialog::SetWindowText(const CString& text) {
    if (m_window) m_window->SetTitle(text);
}

void CDialog::SetIcon(int iconId) {
    if (m_window) m_window->SetIcon(iconId);
}

bool CDialog::AppendSystemMenuItem(int commandId, const CString& text) {
    return m_window && m_window->AppendSystemMenuItem(commandId, text);
}

CString CDialog::LoadString(int id) {
    const auto& strings = res::Script().strings;
    const auto it = strings.find(id);
    return it == strings.end() ? CString() : it->second;
}

// ------------------------------------------------------------ texts

CString CDialog::GetDlgItemText(int id) const {
    return m_window && dlg::FindControl(*m_tpl, id) != nullptr ? m_window->Text(id) : CString();
}

// A program write: the observer told, the field described as a computed
// result where it is one, the text set (caret at 0), then EN_CHANGE raised
// inside the call, also for an unchanged text.
void CDialog::SetDlgItemText(int id, const CString& text) {
    if (!m_window || dlg::FindControl(*m_tpl, id) == nullptr) return;
    const bool isEdit = ControlOf(id, dlg::ControlKind::Edit) != nullptr;
    if (isEdit) {
        if (Observer()) Observer()(id, text);
        if (WritesResult(id, text, FocusedField())) m_window->Describe(id, LoadString(IDS_RESULT_FIELD));
    }
    m_window->SetText(id, text);
    if (isEdit && !m_window->RaisesChangeItself()) OnCommand(id, EN_CHANGE);
}

void CDialog::SetWriteObserver(WriteObserver observer) { Observer() = std::move(observer); }

bool CDialog::WritesResult(int id, const CString& text, int focusedField) const {
    if (text.empty()) return false;  // a field emptied is no result
    return (focusedField != 0 && focusedField != id) || (m_changing != 0 && m_changing != id);
}

// ------------------------------------------------------------ focus

int CDialog::GetFocusId() {
    const int focused = dlg::NativeFocusId();
    if (focused >= 0) return focused;
    const PendingFocus pending = FocusBeforeShow();
    return pending.window != nullptr && !pending.window->WindowShown() ? pending.id : 0;
}

void CDialog::SetFocus(int id) {
    if (!m_window || dlg::FindControl(*m_tpl, id) == nullptr) return;
    if (m_window->Focus(id))
        FocusBeforeShow() = {};
    else
        FocusBeforeShow() = PendingFocus{m_window.get(), id};
}

// The edit field of this dialog that has the focus, or will have it once the
// window shows; 0 for none (a combo box's edit part is no field of its own).
int CDialog::FocusedField() const {
    int id = m_window->FocusedId();
    const PendingFocus pending = FocusBeforeShow();
    if (id == 0 && dlg::NativeFocusId() < 0 && pending.window == m_window.get() && !m_window->WindowShown())
        id = pending.id;
    return ControlOf(id, dlg::ControlKind::Edit) != nullptr ? id : 0;
}

// ------------------------------------------------------------ edit fields

void CDialog::GetSel(int id, int& start, int& end) const {
    start = end = 0;
    if (HasEditPart(id)) m_window->Selection(id, start, end);
}

// EM_SETSEL: -1 as the start drops the selection where the caret is; an end
// past the text (or -1) is its end; the caret ends at `end`.
void CDialog::SetSel(int id, int start, int end) {
    if (!HasEditPart(id)) return;
    if (start == -1) {
        m_window->SetSelection(id, -1, -1);
        return;
    }
    const int length = Length(m_window->Text(id));
    if (end < 0 || end > length) end = length;
    m_window->SetSelection(id, std::clamp(start, 0, length), end);
}

void CDialog::ScrollCaret(int id) {
    if (HasEditPart(id)) m_window->ScrollCaret(id);
}

// EM_LINELENGTH of a one-line field: its length, or with -1 its unselected characters.
int CDialog::LineLength(int id, int line) const {
    if (ControlOf(id, dlg::ControlKind::Edit) == nullptr) return 0;
    const int length = Length(m_window->Text(id));
    if (line >= 0) return length;
    int start = 0, end = 0;
    m_window->Selection(id, start, end);
    return length - std::abs(end - start);
}

// ------------------------------------------------------------ combo boxes

// A sorted list (CBS_SORT) puts an item after the items it does not sort
// before, case folded: the first of equals stays first.
int CDialog::AddString(int id, const CString& text) {
    const dlg::ControlTemplate* c = ControlOf(id, dlg::ControlKind::ComboBox);
    if (c == nullptr) return -1;
    const int count = m_window->ListCount(id);
    int index = count;
    if (c->has(CBS_SORT)) {
        index = 0;
        while (index < count && dlg::CompareFolded(m_window->ListItem(id, index), text) <= 0) ++index;
    }
    m_window->ListInsert(id, index, text);
    return index;
}

void CDialog::SetCurSel(int id, int index) {
    if (ControlOf(id, dlg::ControlKind::ComboBox) == nullptr) return;
    m_window->SetListCurrent(id, index >= 0 && index < m_window->ListCount(id) ? index : -1);
}

int CDialog::GetCurSel(int id) const {
    return ControlOf(id, dlg::ControlKind::ComboBox) != nullptr ? m_window->ListCurrent(id) : -1;
}

CString CDialog::GetLBText(int id, int index) const {
    if (ControlOf(id, dlg::ControlKind::ComboBox) == nullptr || index < 0 || index >= m_window->ListCount(id))
        return {};
    return m_window->ListItem(id, index);
}

// ------------------------------------------------------------ buttons and tabs

bool CDialog::IsCheckable(int id) const {
    return ControlOf(id, dlg::ControlKind::RadioButton) != nullptr || ControlOf(id, dlg::ControlKind::CheckBox) != nullptr;
}

int CDialog::GetCheck(int id) const { return IsCheckable(id) && m_window->Checked(id) ? BST_CHECKED : BST_UNCHECKED; }

void CDialog::SetCheck(int id, int state) {
    if (IsCheckable(id)) m_window->SetChecked(id, state == BST_CHECKED);
}

void CDialog::InsertTab(int id, int index, const CString& label) {
    if (ControlOf(id, dlg::ControlKind::TabControl) != nullptr) m_window->InsertTab(id, index, label);
}

int CDialog::GetTabCurSel(int id) const {
    return ControlOf(id, dlg::ControlKind::TabControl) != nullptr ? m_window->TabCurrent(id) : -1;
}

// ------------------------------------------------------------ notifications

void CDialog::OnCommand(int id, int code) {
    for (const MessageEntry& entry : GetMessageMap()) {
        if (entry.id == id && entry.code == code) {
            const int outer = m_changing;
            if (code == EN_CHANGE) m_changing = id;
            if (entry.handler != nullptr)
                (this->*entry.handler)();
            else
                (this->*entry.idHandler)(id);
            m_changing = outer;
            return;
        }
    }
    if (code == BN_CLICKED && id == IDOK)
        OnOK();
    else if (code == BN_CLICKED && id == IDCANCEL)
        OnCancel();
}

const MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap none;
    return none;
}

bool CDialog::OnInitDialog() { return true; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { OnCommand(IDCANCEL, BN_CLICKED); }
