#pragma once

#include <cstdint>

// One pixel: alpha<<24 | red<<16 | green<<8 | blue, not premultiplied.
// In memory (little-endian) the bytes are blue, green, red, alpha.
using LICE_pixel = std::uint32_t;

// Right and bottom are exclusive.
struct LICE_Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

constexpr LICE_pixel LICE_RGBA(int red, int green, int blue, int alpha) {
  return (static_cast<LICE_pixel>(alpha & 255) << 24) | (static_cast<LICE_pixel>(red & 255) << 16) |
         (static_cast<LICE_pixel>(green & 255) << 8) | static_cast<LICE_pixel>(blue & 255);
}

constexpr int LICE_GetA(LICE_pixel p) { return static_cast<int>(p >> 24); }
constexpr int LICE_GetR(LICE_pixel p) { return static_cast<int>((p >> 16) & 255); }
constexpr int LICE_GetG(LICE_pixel p) { return static_cast<int>((p >> 8) & 255); }
constexpr int LICE_GetB(LICE_pixel p) { return static_cast<int>(p & 255); }
