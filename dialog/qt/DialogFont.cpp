#include "DialogFont.h"

#include "QtText.h"

#include <QFontMetrics>

#include <map>
#include <utility>

QFont DialogFont(const dlg::DialogTemplate& tpl) {
    QFont font(ToQString(dlg::SubstituteFace(tpl.fontFace)));
    font.setPixelSize(dlg::PointsToPixels(tpl.fontPoints > 0 ? tpl.fontPoints : 9));
    font.setKerning(false);
    return font;
}

dlg::BaseUnits BaseUnitsOf(const QFont& font) {
    static std::map<std::pair<QString, int>, dlg::BaseUnits> cache;
    const auto key = std::make_pair(font.family(), font.pixelSize());
    const auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const QFontMetrics metrics(font);
    const dlg::BaseUnits units = dlg::BaseUnitsFromMetrics(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
    cache.emplace(key, units);
    return units;
}
