#pragma once
// The message loop of a modal dialog, as the framework runs it: keyboard and
// mouse input goes first to the innermost of our dialogs around the window it
// is for, so Tab, Enter and Esc inside a page are that page's.

#include "Windows.h"

class DialogWindow;

// Shows the dialog and runs messages until it ends; returns its result.
int RunModalLoop(DialogWindow& dialog, HWND owner);

// Runs the messages that are waiting, then returns.
void PumpMessages();
