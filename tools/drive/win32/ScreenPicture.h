#pragma once
// What the screen shows in a rectangle, as WritePng takes it.

#include "dialog/win32/Windows.h"

#include <cstdint>
#include <vector>

// The pixels of `rect` (screen coordinates), top row first, as 0x00RRGGBB.
std::vector<uint32_t> CaptureScreen(const RECT& rect);
