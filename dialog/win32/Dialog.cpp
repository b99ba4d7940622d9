#include "dialog/Dialog.h"

#include "DialogWindow.h"
#include "Dpi.h"
#include "MessageLoop.h"

// CDialog on Win32: every operation is the control message it is named after.

namespace {

CDialog::WriteObserver& Observer() {
    static CDialog::WriteObserver observer;
    return observer;
}

LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return control != nullptr ? SendMessageW(control, message, wParam, lParam) : 0;
}

bool IsCombo(HWND control) { return control != nullptr && IsClass(control, WC_COMBOBOXW); }

}  // namespace

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() = default;

void CDialog::CreateWindowFromTemplate(CDialog* parent, int parentId, bool) {
    HWND parentWindow = nullptr;
    if (parent != nullptr && parent->m_window)
        parentWindow = parentId != 0 ? parent->m_window->Control(parentId) : parent->m_window->Handle();
    m_window = std::make_unique<DialogWindow>(*this);
    if (!m_window->Create(m_templateId, parentWindow)) m_window.reset();
}

int CDialog::DoModal(CDialog* owner) {
    CreateWindowFromTemplate(owner, 0, true);
    if (!m_window) return -1;
    HWND ownerWindow = owner != nullptr && owner->m_window ? owner->m_window->Handle() : nullptr;
    const int result = RunModalLoop(*m_window, ownerWindow);
    m_window.reset();
    return result;
}

bool CDialog::Create(CDialog* parent, int parentId) {
    CreateWindowFromTemplate(parent, parentId, false);
    return m_window != nullptr;
}

void CDialog::EndDialog(int result) {
    if (m_window) m_window->End(result);
}

void CDialog::ShowWindow(int command) {
    if (m_window) ::ShowWindow(m_window->Handle(), command);
}

bool CDialog::IsWindowVisible() const { return m_window && ::IsWindowVisible(m_window->Handle()); }

void CDialog::MoveWindow(const PixelRect& rect, bool repaint) {
    if (m_window) ::MoveWindow(m_window->Handle(), rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

PixelRect CDialog::GetClientRect(int id) const {
    if (!m_window) return {};
    HWND hwnd = id == 0 ? m_window->Handle() : m_window->Control(id);
    RECT rect{};
    if (hwnd == nullptr || !::GetClientRect(hwnd, &rect)) return {};
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

CString CDialog::GetWindowText() const { return m_window ? WindowText(m_window->Handle()) : CString(); }

void CDialog::SetWindowText(const CString& text) {
    if (m_window) SetWindowTextW(m_window->Handle(), Wide(text));
}

CString CDialog::GetDlgItemText(int id) const { return m_window ? WindowText(m_window->Control(id)) : CString(); }

// The edit control raises EN_CHANGE from inside WM_SETTEXT.
void CDialog::SetDlgItemText(int id, const CString& text) {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    if (control == nullptr) return;
    if (Observer() && IsClass(control, WC_EDITW)) Observer()(id, text);
    SetWindowTextW(control, Wide(text));
}

int CDialog::GetFocusId() { return DialogWindow::IdOf(::GetFocus()); }

void CDialog::SetFocus(int id) {
    if (HWND control = m_window ? m_window->Control(id) : nullptr) ::SetFocus(control);
}

void CDialog::GetSel(int id, int& start, int& end) const {
    DWORD first = 0, last = 0;
    HWND control = m_window ? m_window->Control(id) : nullptr;
    if (IsCombo(control)) {
        Send(control, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    } else {
        Send(control, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    }
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CDialog::SetSel(int id, int start, int end) {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    if (IsCombo(control))
        Send(control, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    else
        Send(control, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CDialog::ScrollCaret(int id) { Send(m_window ? m_window->Control(id) : nullptr, EM_SCROLLCARET); }

int CDialog::LineLength(int id, int line) const {
    return static_cast<int>(Send(m_window ? m_window->Control(id) : nullptr, EM_LINELENGTH, static_cast<WPARAM>(line)));
}

int CDialog::AddString(int id, const CString& text) {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    if (control == nullptr) return -1;
    return static_cast<int>(Send(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text))));
}

void CDialog::SetCurSel(int id, int index) {
    Send(m_window ? m_window->Control(id) : nullptr, CB_SETCURSEL, static_cast<WPARAM>(index));
}

int CDialog::GetCurSel(int id) const {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    return control != nullptr ? static_cast<int>(Send(control, CB_GETCURSEL)) : -1;
}

CString CDialog::GetLBText(int id, int index) const {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    const LRESULT length = Send(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (control == nullptr || length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(control, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == CB_ERR) return {};
    return CString(text.begin(), text.begin() + copied);
}

int CDialog::GetCheck(int id) const {
    return static_cast<int>(Send(m_window ? m_window->Control(id) : nullptr, BM_GETCHECK));
}

void CDialog::SetCheck(int id, int state) {
    Send(m_window ? m_window->Control(id) : nullptr, BM_SETCHECK, static_cast<WPARAM>(state));
}

void CDialog::InsertTab(int id, int index, const CString& label) {
    std::wstring text(Wide(label));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    item.iImage = 0;
    item.lParam = 0;
    Send(m_window ? m_window->Control(id) : nullptr, TCM_INSERTITEMW, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(&item));
}

int CDialog::GetTabCurSel(int id) const {
    HWND control = m_window ? m_window->Control(id) : nullptr;
    return control != nullptr ? static_cast<int>(Send(control, TCM_GETCURSEL)) : -1;
}

void CDialog::SetIcon(int iconId) {
    if (m_window) m_window->SetIcon(iconId);
}

int CDialog::ScaleForDpi(int pixels) const { return m_window ? dpi::Scale(pixels, m_window->Dpi()) : pixels; }

bool CDialog::AppendSystemMenuItem(int commandId, const CString& text) {
    return m_window && m_window->AppendSystemMenuItem(commandId, Wide(text));
}

CString CDialog::LoadString(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? CString(text, text + length) : CString();
}

void CDialog::SetWriteObserver(WriteObserver observer) { Observer() = std::move(observer); }
