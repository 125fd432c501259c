#pragma once

#include <cstdint>
#include <string>

// Writes 8-bit RGBA PNG files without time stamps or text chunks, so equal pixels
// give equal bytes.
class PngWriter {
 public:
  // pixels: rows of premultiplied native-endian 0xAARRGGBB words (cairo's ARGB32),
  // stride in bytes.
  static bool WriteRgba(const std::string& path, int width, int height, const uint8_t* pixels,
                        int stride);
};
