// The module's entry points, called by the page's script: the program's
// start, and the notifications of the user's work on a window's controls.

#include "DialogWindow.h"
#include "dialog/TabSteps.h"
#include "dialog/WinApp.h"

#include <cstdlib>

#define LAMINO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// Runs the application object; returns when its main window has ended.
LAMINO_EXPORT(lamino_start) void LaminoStart() {
    if (CWinApp* program = CWinApp::Instance()) program->InitInstance();
}

LAMINO_EXPORT(lamino_command) void LaminoCommand(int window, int id, int code) {
    if (DialogWindow* dialog = DialogWindow::OfHandle(window)) dialog->Owner().OnCommand(id, code);
}

LAMINO_EXPORT(lamino_close) void LaminoClose(int window) {
    if (DialogWindow* dialog = DialogWindow::OfHandle(window)) dialog->Owner().OnClose();
}

// The button Enter clicks in a window.
LAMINO_EXPORT(lamino_default_button) int LaminoDefaultButton(int window) {
    const DialogWindow* dialog = DialogWindow::OfHandle(window);
    return dialog != nullptr ? dlg::DefaultButtonId(dialog->Template()) : win32::IDOK;
}

LAMINO_EXPORT(lamino_stepped_tab) int LaminoSteppedTab(int current, int count, int step) {
    return dlg::SteppedTab(current, count, step);
}

LAMINO_EXPORT(lamino_alloc) void* LaminoAlloc(int bytes) { return std::malloc(static_cast<size_t>(bytes)); }
LAMINO_EXPORT(lamino_free) void LaminoFree(void* block) { std::free(block); }
