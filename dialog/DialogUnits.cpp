#include "DialogUnits.h"

#include <cstdlib>

namespace dlg {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

BaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight) {
    return BaseUnits{(alphabetWidth / 26 + 1) / 2, fontHeight};
}

int PointsToPixels(int points) { return MulDiv(points, 96, 72); }

PixelBox ToPixels(const DluRect& rect, BaseUnits units) {
    return PixelBox{MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8), MulDiv(rect.width, units.x, 4),
                    MulDiv(rect.height, units.y, 8)};
}

std::u16string SubstituteFace(const std::u16string& face) {
    if (face == u"宋体" || face == u"SimSun" || face == u"NSimSun" || face == u"新宋体")
        return u"AR PL UMing CN";
    return face;
}

}  // namespace dlg
