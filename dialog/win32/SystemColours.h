#pragma once
// How our dialogs draw under the user's colour scheme. Pages keep their
// white face with text dark enough to read on it whatever the scheme's text
// colour; under high contrast they take the system's colours entirely. Tab
// labels, drawn in the scheme's button-text colour on the visual style's
// light tabs, fall back to the scheme's own tab faces when that colour is light.

#include "Windows.h"

namespace colours {

// Whether high contrast is on; the system is asked unless a test answers.
using HighContrastQuery = bool (*)();
void SetHighContrastQuery(HighContrastQuery query);  // nullptr: ask the system again
bool HighContrastOn();

// A page's answer to WM_CTLCOLOR*: the brush to paint with, the text colour
// and mode set in `dc`; nullptr leaves the colours to the system.
HBRUSH PageControlColours(HDC dc);

// Fits the tab controls of a dialog to the scheme.
void FitTabControls(HWND dialog);
// After the scheme changed, a top-level dialog passes the news on to its
// controls, fits its tab controls again and repaints all.
void SchemeChanged(HWND dialog, UINT message);

}  // namespace colours
