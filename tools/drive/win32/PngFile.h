#pragma once
// Writes a picture as a PNG file, uncompressed: enough for screenshots.

#include <cstdint>
#include <string>
#include <vector>

// `pixels` holds width × height pixels, top row first, as 0xAARRGGBB.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
