#pragma once
// Ctrl+Tab and Ctrl+PageDown show the next tab of a window's tab control,
// Ctrl+Shift+Tab and Ctrl+PageUp the previous one, from anywhere in the
// window, as a property sheet does: the tabs wrap around, and the change is
// announced to the tab control's owner as a click on a tab announces it. A
// focus inside the pages moves into the page shown, as the Tab key enters it.

#include "Windows.h"

// Whether `msg` was such a key, now carried out.
bool SwitchTabByKey(const MSG& msg);
