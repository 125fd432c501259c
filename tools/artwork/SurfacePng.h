#pragma once

#include <cstdint>
#include <string>

// Saves a drawn surface as an 8-bit RGBA PNG through the raster library's
// writer (no time stamps, so equal pixels give equal bytes).
// pixels: rows of premultiplied native-endian 0xAARRGGBB words (cairo's
// ARGB32), stride in bytes; the file holds straight, not premultiplied, alpha.
bool WriteSurfacePng(const std::string& path, int width, int height, const uint8_t* pixels,
                     int stride);
