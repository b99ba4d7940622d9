#pragma once
// What assistive technology calls a dialog's controls, found from where the
// template puts them: a field is named by the static text beside it on its
// row, a picture by the dialog's title and the group box that frames it.
// Buttons, group boxes and static texts are named by their own texts, which
// every toolkit already reports, so they are left out here.

#include "ResourceScript.h"

#include <string>
#include <string_view>
#include <vector>

namespace dlg {

// The static text that names control `index` (an edit field or a combo box):
// one that shares the control's row and stands on the side where the dialog
// keeps its labels, the nearest such. A dialog keeps one side for all its
// fields: the side on which more of them find a label. nullptr when none does.
const ControlTemplate* LabelBeside(const DialogTemplate& tpl, size_t index);

// The innermost group box that frames control `index`; nullptr for none.
const ControlTemplate* EnclosingGroupBox(const DialogTemplate& tpl, size_t index);

// The name of each control in template order; empty where the control's own
// text names it or it needs no name.
std::vector<std::u16string> ControlNames(const DialogTemplate& tpl, std::u16string_view dialogTitle);

}  // namespace dlg
