#include "DialogWindow.h"

#include "AccessibleNames.h"
#include "Dpi.h"
#include "Resources.h"
#include "SystemColours.h"

#include <algorithm>
#include <set>

namespace {

std::set<HWND>& Dialogs() {
    static std::set<HWND> dialogs;
    return dialogs;
}

// Adds the dialog window of each of our dialogs to a list.
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM list) {
    if (DialogWindow::IsDialog(hwnd))
        reinterpret_cast<std::vector<DialogWindow*>*>(list)->push_back(
            reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER)));
    return TRUE;
}

}  // namespace

DialogWindow::~DialogWindow() {
    if (m_hwnd != nullptr) DestroyWindow(m_hwnd);
    if (m_bigIcon != nullptr) DestroyIcon(m_bigIcon);
    if (m_smallIcon != nullptr) DestroyIcon(m_smallIcon);
}

bool DialogWindow::Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool,
                          const std::function<bool()>& initDialog) {
    HWND parentWindow = nullptr;
    if (const auto* parentDialog = static_cast<const DialogWindow*>(parent))
        parentWindow = parentId != 0 ? parentDialog->Control(parentId) : parentDialog->Handle();
    m_initDialog = initDialog;
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(tpl.id), parentWindow, Procedure,
                       reinterpret_cast<LPARAM>(this));
    return m_hwnd != nullptr;
}

bool DialogWindow::IsDialog(HWND hwnd) { return Dialogs().count(hwnd) != 0; }

DialogWindow* DialogWindow::FromHandle(HWND hwnd) {
    return IsDialog(hwnd) ? reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER)) : nullptr;
}

// The styles the controls have now: checking a radio button makes it a tab
// stop and clearing it takes that away, as the Tab key finds them.
std::vector<HWND> DialogWindow::TabStops() const {
    std::vector<HWND> stops;
    for (HWND control : ChildWindows(m_hwnd))
        if ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(control) && IsWindowEnabled(control))
            stops.push_back(control);
    return stops;
}

int DialogWindow::IdOf(HWND hwnd) {
    if (hwnd == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) return 0;
    HWND parent = GetParent(hwnd);
    if (parent != nullptr && IsClass(parent, WC_COMBOBOXW)) hwnd = parent;
    return GetDlgCtrlID(hwnd);
}

void DialogWindow::SetIcon(int iconId) {
    m_iconId = iconId;
    LoadIcons();
}

void DialogWindow::LoadIcons() {
    if (m_iconId == 0) return;
    HICON bigIcon = dpi::LoadIconOfSize(m_iconId, dpi::SystemMetric(SM_CXICON, Dpi()));
    HICON smallIcon = dpi::LoadIconOfSize(m_iconId, dpi::SystemMetric(SM_CXSMICON, Dpi()));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (m_bigIcon != nullptr) DestroyIcon(m_bigIcon);
    if (m_smallIcon != nullptr) DestroyIcon(m_smallIcon);
    m_bigIcon = bigIcon;
    m_smallIcon = smallIcon;
}

bool DialogWindow::AppendSystemMenuItem(int commandId, const CString& text) {
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    if (menu == nullptr) return false;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId), Wide(text));
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
        dpi::KeepDialogManagerOut(m_hwnd);
        m_layout.Attach(m_hwnd, m_owner.TemplateId());
        FitLabelsToText();
        colours::FitTabControls(m_hwnd);
        NameControls(m_hwnd, res::Script().dialog(m_owner.TemplateId()));
        return m_initDialog() ? TRUE : FALSE;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ChangeDpi(HIWORD(wParam));
        return TRUE;
    }
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
        return reinterpret_cast<INT_PTR>(m_bigIcon);
    case WM_NCDESTROY:
        Dialogs().erase(m_hwnd);
        m_hwnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

// The substitute for SimSun sets a few labels a little wider than the
// template allows for; a label grows to its text rather than wrap or cut its
// last characters out of sight: as wide as its longest line and, where its
// text breaks into lines itself, as tall as they are. Labels with room for
// more lines than that are left to wrap.
void DialogWindow::FitLabelsToText() {
    HDC dc = GetDC(m_hwnd);
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
        if (!IsClass(child, WC_STATICW) || (type != SS_LEFT && type != SS_CENTER)) continue;
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        const CString text = WindowText(child);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        LONG widest = 0;
        int lines = 0;
        for (size_t start = 0; start <= text.size(); ++lines) {
            const size_t end = std::min(text.find(u'\n', start), text.size());
            SIZE extent{};
            GetTextExtentPoint32W(dc, Wide(text) + start, static_cast<int>(end - start), &extent);
            widest = std::max(widest, extent.cx);
            start = end + 1;
        }
        SelectObject(dc, previous);
        RECT box;
        GetClientRect(child, &box);
        if (lines == 1 && box.bottom >= 2 * metrics.tmHeight) continue;
        const LONG width = std::max(box.right, widest), height = std::max(box.bottom, lines * metrics.tmHeight);
        if (width != box.right || height != box.bottom)
            SetWindowPos(child, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseDC(m_hwnd, dc);
}

// A minimised window shows its icon, centred in what is left of it.
bool DialogWindow::PaintMinimised() {
    if (m_bigIcon == nullptr || !IsIconic(m_hwnd)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = dpi::SystemMetric(SM_CXICON, Dpi());
    const int iconHeight = dpi::SystemMetric(SM_CYICON, Dpi());
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIconEx(dc, x, y, m_bigIcon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
    EndPaint(m_hwnd, &paint);
    return true;
}

void DialogWindow::ChangeDpi(UINT dpi) {
    std::vector<DialogWindow*> dialogs{this};
    EnumChildWindows(m_hwnd, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (DialogWindow* dialog : dialogs) {
        dialog->m_layout.Apply(dpi);
        dialog->FitLabelsToText();
        dialog->LoadIcons();
    }
    // The owners place their inner dialogs once all are laid out.
    for (DialogWindow* dialog : dialogs) dialog->m_owner.OnDpiChanged();
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
