#pragma once
// The colours Lamino's dialogs are drawn in, whatever palette the desktop
// hands the program: the templates, pages and diagrams are drawn for one
// light look, and the frame around the pages keeps it too rather than mix
// a dark desktop's colours with the white pages.

#include <QPalette>

// Fusion's light palette with a darker selection, every role of every group
// set, so that no palette the desktop sets later shows through.
QPalette DialogPalette();
// The same on the pages' white face.
QPalette PagePalette();
