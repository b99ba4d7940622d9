#pragma once
// The keys of a window with a tab control, as in a property sheet.
// Ctrl+Tab and Ctrl+PageDown show the next tab, Ctrl+Shift+Tab and
// Ctrl+PageUp the previous one, from anywhere in the window: the tabs wrap
// around, and the change is announced to the tab control's owner as a click
// on a tab announces it; a focus inside the pages moves into the page shown.
// Tab and Shift+Tab on the tab control enter the page shown at its first or
// last tab stop: the tab control is no tab stop of the window, and the pages
// are dialogs of their own, so the dialog manager would leave the focus on
// the tabs, where the program starts.

#include "Windows.h"

// Whether `msg` was such a key, now carried out.
bool TabControlKey(const MSG& msg);
