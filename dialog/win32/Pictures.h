#pragma once
// The diagrams of the program's resources, drawn for a DPI. The build draws
// each one from its SVG at several scales and stores them as PNG images
// under the picture's id, of resource type "PNG" and the scale in percent
// ("PNG150"); the Windows imaging component decodes them.

#include "Windows.h"

// Picture `id` at its 96-DPI size scaled to `dpi`, as a 24-bit bitmap for a
// static control (which the caller deletes); null when there is none.
HBITMAP LoadPicture(int id, UINT dpi);
