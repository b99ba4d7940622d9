#pragma once
// The colours Lamino's dialogs are drawn in, whatever the desktop says: the
// templates, pages and diagrams are drawn for one light look, and the frame
// around the pages keeps it too rather than mix a dark desktop's colours
// with the white pages.

#include <QPalette>

// A light palette of fixed colours, every role of every group set. Nothing
// in it comes from a platform theme or a style's standard palette (which a
// platform theme darkens), so no desktop reaches it, at start or later.
QPalette DialogPalette();
// The same on the pages' white face.
QPalette PagePalette();
