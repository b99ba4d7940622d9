#include "ControlNames.h"

#include <cstdlib>

namespace dlg {
namespace {

enum class Side { Left, Right };

bool IsField(const ControlTemplate& c) { return c.kind() == ControlKind::Edit || c.kind() == ControlKind::ComboBox; }

bool IsLabel(const ControlTemplate& c) { return c.kind() == ControlKind::Label && !c.text.empty(); }

// A combo box's template height takes in its drop-down list, so its row is
// judged from its whole box and, between labels as near, by the nearest top.
bool SameRow(const DluRect& a, const DluRect& b) { return a.y < b.y + b.height && b.y < a.y + a.height; }

// How far the label stands from the field on that side; -1 if it is not there.
int Gap(const DluRect& field, const DluRect& label, Side side) {
    const int gap = side == Side::Right ? label.x - (field.x + field.width) : field.x - (label.x + label.width);
    return gap >= 0 ? gap : -1;
}

const ControlTemplate* NearestLabel(const DialogTemplate& tpl, const ControlTemplate& field, Side side) {
    const ControlTemplate* best = nullptr;
    int bestGap = 0, bestRise = 0;
    for (const ControlTemplate& c : tpl.controls) {
        if (!IsLabel(c) || !SameRow(field.rect, c.rect)) continue;
        const int gap = Gap(field.rect, c.rect, side);
        const int rise = std::abs(c.rect.y - field.rect.y);
        if (gap < 0) continue;
        if (best == nullptr || gap < bestGap || (gap == bestGap && rise < bestRise)) {
            best = &c;
            bestGap = gap;
            bestRise = rise;
        }
    }
    return best;
}

Side LabelSide(const DialogTemplate& tpl) {
    int left = 0, right = 0;
    for (const ControlTemplate& c : tpl.controls) {
        if (!IsField(c)) continue;
        if (NearestLabel(tpl, c, Side::Left) != nullptr) ++left;
        if (NearestLabel(tpl, c, Side::Right) != nullptr) ++right;
    }
    return right > left ? Side::Right : Side::Left;
}

bool Contains(const DluRect& outer, const DluRect& inner) {
    return outer.x <= inner.x && inner.x + inner.width <= outer.x + outer.width && outer.y <= inner.y &&
           inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace

const ControlTemplate* EnclosingGroupBox(const DialogTemplate& tpl, size_t index) {
    const ControlTemplate& control = tpl.controls.at(index);
    const ControlTemplate* frame = nullptr;
    for (const ControlTemplate& c : tpl.controls) {
        if (&c == &control || c.kind() != ControlKind::GroupBox || !Contains(c.rect, control.rect)) continue;
        if (frame == nullptr || Contains(frame->rect, c.rect)) frame = &c;
    }
    return frame;
}

const ControlTemplate* LabelBeside(const DialogTemplate& tpl, size_t index) {
    const ControlTemplate& c = tpl.controls.at(index);
    return IsField(c) ? NearestLabel(tpl, c, LabelSide(tpl)) : nullptr;
}

std::vector<std::u16string> ControlNames(const DialogTemplate& tpl, std::u16string_view dialogTitle) {
    const Side side = LabelSide(tpl);
    std::vector<std::u16string> names;
    names.reserve(tpl.controls.size());
    for (size_t i = 0; i < tpl.controls.size(); ++i) {
        const ControlTemplate& c = tpl.controls[i];
        std::u16string name;
        if (IsField(c)) {
            if (const ControlTemplate* label = NearestLabel(tpl, c, side)) name = label->text;
        } else if (c.kind() == ControlKind::Picture) {
            const ControlTemplate* frame = EnclosingGroupBox(tpl, i);
            name = std::u16string(dialogTitle) + (frame != nullptr ? frame->text : std::u16string());
        }
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace dlg
