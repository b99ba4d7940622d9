#pragma once
// The DPI a window is drawn for, and what depends on it. The calls that came
// with per-monitor awareness (Windows 8.1 and 10) are looked up at run time;
// where they are missing, every window has the system's DPI, which is then
// what Windows draws it for.

#include "Windows.h"
#include "dialog/ResourceScript.h"

namespace dpi {

// The DPI the templates' pixel figures (offsets, picture sizes) are drawn at.
constexpr UINT kBase = USER_DEFAULT_SCREEN_DPI;

UINT OfWindow(HWND hwnd);

// A length of the 96-DPI layout, in pixels at `dpi`.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBase)); }

// GetSystemMetrics as it answers for a window at `dpi`.
int SystemMetric(int index, UINT dpi);

// Icon `id` of the program's resources, `size` pixels square, drawn from the
// nearest larger image the icon has rather than stretched up.
HICON LoadIconOfSize(int id, int size);

// The template's font as the dialog manager makes it at 96 DPI, its height
// in pixels scaled to `dpi`: texts then take the room they were given at
// 96 DPI, scaled.
HFONT CreateDialogFont(const dlg::DialogTemplate& tpl, UINT dpi);
// The dialog base units (average character width, line height) of `font`,
// reckoned as the dialog manager does.
SIZE BaseUnitsOf(HFONT font);

// Tells the dialog manager of Windows 10 to leave a dialog alone when its DPI
// changes: the dialog layer lays it out itself, on every Windows alike.
void KeepDialogManagerOut(HWND dialog);

}  // namespace dpi
