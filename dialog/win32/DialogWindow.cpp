#include "DialogWindow.h"

#include "AccessibleNames.h"
#include "Resources.h"
#include "SystemColours.h"

#include <set>

namespace {

std::set<HWND>& Dialogs() {
    static std::set<HWND> dialogs;
    return dialogs;
}

}  // namespace

CString WindowText(HWND hwnd) {
    if (hwnd == nullptr) return {};
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return CString(text.begin(), text.end());
}

DialogWindow::~DialogWindow() {
    if (m_hwnd != nullptr) DestroyWindow(m_hwnd);
}

bool DialogWindow::Create(int templateId, HWND parent) {
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent, Procedure,
                       reinterpret_cast<LPARAM>(this));
    return m_hwnd != nullptr;
}

bool DialogWindow::IsDialog(HWND hwnd) { return Dialogs().count(hwnd) != 0; }

DialogWindow* DialogWindow::FromHandle(HWND hwnd) {
    return IsDialog(hwnd) ? reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER)) : nullptr;
}

// Not the styles the windows have now: checking an automatic radio button
// makes it a tab stop.
std::vector<HWND> DialogWindow::TabStops() const {
    std::vector<HWND> stops;
    for (const dlg::ControlTemplate& c : res::Script().dialog(m_owner.TemplateId()).controls) {
        HWND control = c.has(WS_TABSTOP) ? Control(c.id) : nullptr;
        if (control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control)) stops.push_back(control);
    }
    return stops;
}

bool DialogWindow::IsClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, className) == 0;
}

int DialogWindow::IdOf(HWND hwnd) {
    if (hwnd == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) return 0;
    HWND parent = GetParent(hwnd);
    if (parent != nullptr && IsClass(parent, WC_COMBOBOXW)) hwnd = parent;
    return GetDlgCtrlID(hwnd);
}

void DialogWindow::SetIcon(HICON icon) {
    m_icon = icon;
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool DialogWindow::AppendSystemMenuItem(int commandId, const wchar_t* text) {
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    if (menu == nullptr) return false;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId), text);
    m_systemCommands.push_back(commandId);
    return true;
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* window = nullptr;
    if (message == WM_INITDIALOG) {
        window = reinterpret_cast<DialogWindow*>(lParam);
        window->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        Dialogs().insert(hwnd);
    } else if (IsDialog(hwnd)) {
        window = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    return window != nullptr ? window->Receive(message, wParam, lParam) : FALSE;
}

INT_PTR DialogWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        WidenOneLineLabels();
        colours::FitTabControls(m_hwnd);
        NameControls(m_hwnd, res::Script().dialog(m_owner.TemplateId()));
        return m_owner.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        m_owner.OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code != static_cast<UINT>(TCN_SELCHANGE)) return FALSE;
        m_owner.OnCommand(static_cast<int>(header->idFrom), TCN_SELCHANGE);
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    case WM_SYSCOMMAND:
        for (int id : m_systemCommands) {
            if ((wParam & 0xFFF0) == static_cast<WPARAM>(id)) {
                m_owner.OnCommand(id, BN_CLICKED);
                return TRUE;
            }
        }
        return FALSE;
    case WM_CLOSE:
        m_owner.OnClose();
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
        // Pages draw their face and every control on white, text unfilled.
        if (!m_owner.PaintsWhiteBackground()) return FALSE;
        return reinterpret_cast<INT_PTR>(colours::PageControlColours(reinterpret_cast<HDC>(wParam)));
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        colours::SchemeChanged(m_hwnd, message);
        return FALSE;
    case WM_PAINT:
        return PaintMinimised() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_icon);
    case WM_NCDESTROY:
        Dialogs().erase(m_hwnd);
        m_hwnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

// The substitute for SimSun sets a few labels a little wider than the
// template allows for; a one-line label grows to its text rather than wrap
// its last characters out of sight.
void DialogWindow::WidenOneLineLabels() {
    HDC dc = GetDC(m_hwnd);
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
        if (!IsClass(child, WC_STATICW) || (type != SS_LEFT && type != SS_CENTER)) continue;
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        const CString text = WindowText(child);
        SIZE extent{};
        TEXTMETRICW metrics{};
        GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &extent);
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        RECT box;
        GetClientRect(child, &box);
        if (box.bottom < 2 * metrics.tmHeight && extent.cx > box.right)
            SetWindowPos(child, nullptr, 0, 0, extent.cx, box.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseDC(m_hwnd, dc);
}

// A minimised window shows its icon, centred in what is left of it.
bool DialogWindow::PaintMinimised() {
    if (m_icon == nullptr || !IsIconic(m_hwnd)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(m_hwnd, &paint);
    return true;
}
