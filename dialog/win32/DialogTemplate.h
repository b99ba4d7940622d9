#pragma once
// What a dialog template resource says, as the dialog manager reads it: the
// font, the dialog's size and each control's rectangle in dialog units, in
// the order the controls are created.

#include "Windows.h"

#include <string>
#include <vector>

struct DialogTemplate {
    struct Control {
        RECT units{};        // left, top, right, bottom in dialog units
        int imageId = 0;     // the resource a picture or icon control shows; 0 for a text
    };

    // The template `id` of the program's resources; empty when there is none.
    static DialogTemplate Load(int id);

    // Read, and with a font of its own, as every template of Lamino's has.
    bool Loaded() const { return pointSize > 0; }
    // The template's font at 96 DPI as the dialog manager makes it, its
    // height in pixels scaled to `dpi`: texts then take the room they were
    // given at 96 DPI, scaled.
    HFONT CreateFontFor(UINT dpi) const;

    int pointSize = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
    std::wstring face;
    SIZE units{};
    std::vector<Control> controls;
};

// The dialog base units (average character width, line height) of `font`,
// reckoned as the dialog manager does.
SIZE BaseUnitsOf(HFONT font);
