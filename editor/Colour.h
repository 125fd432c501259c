#pragma once

#include "raster/LICE_Types.h"

// Each channel 0..255.
struct Colour {
  int alpha = 255;
  int red = 0;
  int green = 0;
  int blue = 0;

  constexpr Colour() = default;
  constexpr Colour(int a, int r, int g, int b) : alpha(a), red(r), green(g), blue(b) {}

  LICE_pixel Packed() const { return LICE_RGBA(red, green, blue, alpha); }
  bool operator==(const Colour&) const = default;
};
