#pragma once
// What assistive technology hears of a dialog's controls. The system's own
// accessible object names a field after the static text before it in
// template order, which on these templates is the wrong one or none; so each
// field answers with the standard object of its kind renamed after the label
// beside it on screen, and each picture after its page and frame.

#include "Windows.h"
#include "dialog/ResourceScript.h"

// Takes over the accessible names of the controls of `dialog`, built from `tpl`.
void NameControls(HWND dialog, const dlg::DialogTemplate& tpl);
