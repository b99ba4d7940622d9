#include "DialogPalette.h"

#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace {

QPalette Light() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette standard = fusion->standardPalette();
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, standard.brush(g, r));
        }
    // Fusion's selection puts white text on a blue it reads on at 3.7:1, and
    // the thin strokes of the Song face lose more of that; a darker blue of
    // the same hue carries white text at 10:1.
    palette.setColor(QPalette::Highlight, QColor(0x18, 0x46, 0x63));
    return palette;
}

}  // namespace

QPalette DialogPalette() {
    static const QPalette palette = Light();
    return palette;
}

QPalette PagePalette() {
    QPalette palette = DialogPalette();
    palette.setColor(QPalette::Window, Qt::white);
    return palette;
}
