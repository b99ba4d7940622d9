#include "dialog/Dialog.h"

#include "DialogWindow.h"
#include "Dpi.h"
#include "MessageLoop.h"

// The Win32 calls behind CDialog (dialog/Dialog.cpp): each one the control
// message it is named after.

namespace {

LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return control != nullptr ? SendMessageW(control, message, wParam, lParam) : 0;
}

bool IsCombo(HWND control) { return control != nullptr && IsClass(control, WC_COMBOBOXW); }

}  // namespace

DialogWindow* CDialog::Window() const { return static_cast<DialogWindow*>(m_window.get()); }

std::unique_ptr<dlg::NativeDialog> dlg::NewNativeDialog(CDialog& owner) { return std::make_unique<DialogWindow>(owner); }

int dlg::NativeFocusId() {
    HWND focus = ::GetFocus();
    return focus != nullptr ? DialogWindow::IdOf(focus) : -1;
}

CString DialogWindow::Text(int id) const { return WindowText(Control(id)); }

// The edit control raises EN_CHANGE from inside WM_SETTEXT.
void DialogWindow::SetText(int id, const CString& text) { SetWindowTextW(Control(id), Wide(text)); }

CString DialogWindow::Title() const { return WindowText(m_hwnd); }

void DialogWindow::SetTitle(const CString& text) { SetWindowTextW(m_hwnd, Wide(text)); }

void DialogWindow::Selection(int id, int& start, int& end) const {
    DWORD first = 0, last = 0;
    HWND control = Control(id);
    Send(control, IsCombo(control) ? CB_GETEDITSEL : EM_GETSEL, reinterpret_cast<WPARAM>(&first),
         reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void DialogWindow::SetSelection(int id, int start, int end) {
    HWND control = Control(id);
    if (IsCombo(control))
        Send(control, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    else
        Send(control, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void DialogWindow::ScrollCaret(int id) { Send(Control(id), EM_SCROLLCARET); }

// At the place the dialog layer's sorted order gives it, also in a CBS_SORT list.
void DialogWindow::ListInsert(int id, int index, const CString& text) {
    Send(Control(id), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Wide(text)));
}

int DialogWindow::ListCount(int id) const { return static_cast<int>(Send(Control(id), CB_GETCOUNT)); }

CString DialogWindow::ListItem(int id, int index) const {
    HWND control = Control(id);
    const LRESULT length = Send(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(control, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return copied == CB_ERR ? CString() : CString(text.begin(), text.begin() + copied);
}

int DialogWindow::ListCurrent(int id) const { return static_cast<int>(Send(Control(id), CB_GETCURSEL)); }

void DialogWindow::SetListCurrent(int id, int index) { Send(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index)); }

bool DialogWindow::Checked(int id) const { return Send(Control(id), BM_GETCHECK) == BST_CHECKED; }

void DialogWindow::SetChecked(int id, bool checked) {
    Send(Control(id), BM_SETCHECK, static_cast<WPARAM>(checked ? BST_CHECKED : BST_UNCHECKED));
}

void DialogWindow::InsertTab(int id, int index, const CString& label) {
    std::wstring text(Wide(label));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    Send(Control(id), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int DialogWindow::TabCurrent(int id) const { return static_cast<int>(Send(Control(id), TCM_GETCURSEL)); }

// Windows keeps the focus of a window not shown yet.
bool DialogWindow::Focus(int id) {
    ::SetFocus(Control(id));
    return true;
}

int DialogWindow::FocusedId() const {
    HWND focus = ::GetFocus();
    const int id = focus != nullptr ? IdOf(focus) : 0;
    HWND control = id != 0 ? Control(id) : nullptr;
    return control != nullptr && (control == focus || IsChild(control, focus)) ? id : 0;
}

bool DialogWindow::WindowShown() const { return ::IsWindowVisible(GetAncestor(m_hwnd, GA_ROOT)) != FALSE; }

void DialogWindow::Show(bool visible) { ::ShowWindow(m_hwnd, visible ? SW_SHOWNORMAL : SW_HIDE); }

bool DialogWindow::Visible() const { return ::IsWindowVisible(m_hwnd) != FALSE; }

void DialogWindow::Move(const PixelRect& rect, bool repaint) {
    ::MoveWindow(m_hwnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

PixelRect DialogWindow::ClientRect(int id) const {
    HWND hwnd = id == 0 ? m_hwnd : Control(id);
    RECT rect{};
    if (hwnd == nullptr || !::GetClientRect(hwnd, &rect)) return {};
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

int DialogWindow::ScaleForDpi(int pixels) const { return dpi::Scale(pixels, Dpi()); }

int DialogWindow::RunModal(NativeDialog* owner) {
    return RunModalLoop(*this, owner != nullptr ? static_cast<DialogWindow*>(owner)->Handle() : nullptr);
}

void DialogWindow::EndModal(int result) {
    m_ended = true;
    m_result = result;
}
