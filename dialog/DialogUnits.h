#pragma once
// Dialog units to pixels, as Windows converts them: horizontal units are a
// quarter of the font's average character width, vertical units an eighth of
// its height.

#include "ResourceScript.h"

namespace dlg {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

struct BaseUnits {
    int x = 0;
    int y = 0;
};

// Base units from the width of "A".."Z" "a".."z" together and the font height.
BaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight);

// Pixel height of a font of the given point size on a 96 DPI screen.
int PointsToPixels(int points);

struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
};

PixelBox ToPixels(const DluRect& rect, BaseUnits units);

// Faces that templates name but desktops lack are drawn with a Song-style
// face of the same metrics.
std::u16string SubstituteFace(const std::u16string& face);

}  // namespace dlg
