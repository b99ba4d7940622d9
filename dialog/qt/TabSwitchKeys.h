#pragma once
// Ctrl+Tab and Ctrl+PageDown show the next tab of a tab control, Ctrl+Shift+Tab
// and Ctrl+PageUp the previous one, from anywhere in its window, as a
// property sheet does: the tabs wrap around, and the change goes the way of
// a click on a tab. A focus inside the pages moves into the page shown, as
// the Tab key enters it.

class TabControl;

void AddTabSwitchKeys(TabControl* tabs);
