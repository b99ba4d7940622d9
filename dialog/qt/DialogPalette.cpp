#include "DialogPalette.h"

#include <iterator>

namespace {

struct RoleColours {
    QPalette::ColorRole role;
    QRgb enabled;   // active and inactive windows alike
    QRgb disabled;
};

// Qt's own light palette, as Fusion shows it on a desktop without a theme,
// with a darker selection: Fusion's white text on its blue reads at 3.7:1,
// and the thin strokes of the Song face lose more of that; a darker blue of
// the same hue carries white text at 10:1.
constexpr QRgb kSelection = 0xff184663;
constexpr RoleColours kLight[] = {
    {QPalette::WindowText, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffefefef},
    {QPalette::Window, 0xffefefef, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, kSelection, kSelection},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    {QPalette::Accent, kSelection, kSelection},
#endif
};
// A role that a newer Qt adds must get a colour here, or the desktop's shows.
static_assert(std::size(kLight) == QPalette::NColorRoles - 1, "every role but NoRole has a fixed colour");

QPalette Light() {
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        // Setting NoRole too marks every role as the program's own.
        palette.setBrush(g, QPalette::NoRole, QBrush(Qt::black, Qt::NoBrush));
        for (const RoleColours& colours : kLight)
            palette.setColor(g, colours.role, QColor::fromRgba(g == QPalette::Disabled ? colours.disabled : colours.enabled));
    }
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
