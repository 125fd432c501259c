#pragma once

#include "editor/Rect.h"
#include "raster/LICE_IBitmap.h"

// The readout's text is bright green on a dark display; its pixels can be
// counted whatever rasteriser drew the glyphs.
inline bool IsReadoutGreen(LICE_pixel p) {
  return LICE_GetG(p) > 100 && LICE_GetG(p) > LICE_GetR(p) + 60 && LICE_GetG(p) > LICE_GetB(p) + 60;
}

inline int GreenPixelsIn(LICE_IBitmap& bitmap, const Rect& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x)
      count += IsReadoutGreen(bitmap.Bits()[y * bitmap.RowSpan() + x]) ? 1 : 0;
  }
  return count;
}
