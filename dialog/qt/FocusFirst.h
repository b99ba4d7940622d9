#pragma once
// Qt lets a widget handle its focus-in before it tells assistive technology
// that the focus moved, and a field entered by the Tab key selects its text
// in that handler: a screen reader hears of a caret or a selection in a
// field that, to it, has not got the focus yet. Orca then moves its focus
// to the field silently, and the focus event that follows says nothing new:
// an empty field is never spoken. So for a control that takes the focus,
// its focus event goes out before anything else it raises, and Qt's own
// later one is not sent again. Nor does it hear of carets and selections in
// controls without the focus, which the program's writes and Ctrl+Tab move.

class QWidget;

// Watches `control` (and what it holds, a combo box's edit part) as it takes the focus.
void RaiseFocusFirst(QWidget* control);

// From now on, leaves out the carets and selections of controls without the
// focus; once per process, before the first dialog.
void TellSelectionsOfFocusOnly();
