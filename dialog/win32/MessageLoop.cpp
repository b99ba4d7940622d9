#include "MessageLoop.h"

#include "DialogWindow.h"
#include "TabSwitchKeys.h"

namespace {

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// Each of our dialogs from the window of the message outwards gets to treat
// it as dialog navigation; the first that takes it ends the walk.
bool RoutedToDialog(MSG& msg) {
    if (!IsInput(msg.message)) return false;
    for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = GetParent(hwnd)) {
        if (DialogWindow::IsDialog(hwnd) && IsDialogMessageW(hwnd, &msg)) return true;
        if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return false;
}

void Dispatch(MSG& msg) {
    if (TabControlKey(msg) || RoutedToDialog(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

int RunModalLoop(DialogWindow& dialog, HWND owner) {
    HWND hwnd = dialog.Handle();
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (!dialog.Ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: leave it for the loop outside
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        Dispatch(msg);
    }
    // Give the activation back before the dialog goes, as the system's loop does.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (owner != nullptr && GetActiveWindow() == hwnd) SetActiveWindow(owner);
    ShowWindow(hwnd, SW_HIDE);
    return dialog.Result();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}
