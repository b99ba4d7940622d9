#include "TabSwitchKeys.h"

#include "DialogWindow.h"
#include "dialog/TabSteps.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int StepOf(const MSG& msg) {
    if (!Held(VK_CONTROL)) return 0;
    switch (msg.wParam) {
    case VK_TAB: return Held(VK_SHIFT) ? -1 : 1;
    case VK_NEXT: return 1;
    case VK_PRIOR: return -1;
    default: return 0;
    }
}

HWND ChildWhere(HWND parent, bool (*wanted)(HWND)) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (wanted(child)) return child;
    return nullptr;
}

bool IsTabControl(HWND hwnd) { return IsClass(hwnd, WC_TABCONTROLW); }
bool IsShownPage(HWND hwnd) { return DialogWindow::IsDialog(hwnd) && IsWindowVisible(hwnd); }

// Gives the shown page's first (or last) tab stop the focus, as the Tab key
// does: the text of an edit field selected.
void EnterShownPage(HWND tabs, bool atLast) {
    HWND page = ChildWhere(tabs, IsShownPage);
    const DialogWindow* shown = DialogWindow::FromHandle(page);
    const std::vector<HWND> stops = shown != nullptr ? shown->TabStops() : std::vector<HWND>();
    if (!stops.empty()) SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(atLast ? stops.back() : stops.front()), TRUE);
}

// What the tab control sends its owner when a click picks another tab.
LRESULT Notify(HWND tabs, int code) {
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(code)};
    return SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void SwitchTab(HWND tabs, int step) {
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count == 0 || Notify(tabs, TCN_SELCHANGING)) return;  // nothing to switch to, or the owner keeps the tab
    const bool focusInPage = IsChild(tabs, GetFocus()) != FALSE;
    const int next = dlg::SteppedTab(static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)), count, step);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    Notify(tabs, TCN_SELCHANGE);
    if (focusInPage) EnterShownPage(tabs, false);
}

}  // namespace

bool TabControlKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_TAB && !Held(VK_CONTROL) && IsTabControl(msg.hwnd)) {
        EnterShownPage(msg.hwnd, Held(VK_SHIFT));
        return true;
    }
    const int step = StepOf(msg);
    if (step == 0) return false;
    // A control that asks for the key keeps it, as in a property sheet.
    if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTMESSAGE)
        return false;
    HWND tabs = ChildWhere(GetAncestor(msg.hwnd, GA_ROOT), IsTabControl);
    if (tabs == nullptr) return false;
    SwitchTab(tabs, step);
    return true;
}
