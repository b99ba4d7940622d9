#include "TabSwitchKeys.h"

#include "DialogWindow.h"
#include "dialog/TabSteps.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int StepOf(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !Held(VK_CONTROL)) return 0;
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

bool IsTabControl(HWND hwnd) { return DialogWindow::IsClass(hwnd, WC_TABCONTROLW); }
bool IsShownPage(HWND hwnd) { return DialogWindow::IsDialog(hwnd) && IsWindowVisible(hwnd); }

// What the tab control sends its owner when a click picks another tab.
LRESULT Notify(HWND tabs, int code) {
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(code)};
    return SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace

bool SwitchTabByKey(const MSG& msg) {
    const int step = StepOf(msg);
    if (step == 0) return false;
    // A control that asks for the key keeps it, as in a property sheet.
    if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTMESSAGE)
        return false;
    HWND tabs = ChildWhere(GetAncestor(msg.hwnd, GA_ROOT), IsTabControl);
    const int count = tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    if (count == 0) return false;
    const bool focusInPage = IsChild(tabs, GetFocus()) != FALSE;
    if (Notify(tabs, TCN_SELCHANGING)) return true;  // the owner keeps the tab
    const int next = dlg::SteppedTab(static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)), count, step);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    Notify(tabs, TCN_SELCHANGE);
    HWND page = focusInPage ? ChildWhere(tabs, IsShownPage) : nullptr;
    const DialogWindow* shown = DialogWindow::FromHandle(page);
    if (HWND first = shown != nullptr ? shown->FirstTabStop() : nullptr)
        SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    return true;
}
