#pragma once

#include "raster/LICE_IBitmap.h"

// A bitmap holding frames side by side or stacked top to bottom. The bitmap
// belongs to the process-wide bitmap cache; null when the image could not be
// loaded, and then nothing is drawn from the strip. Sizes are in the
// layout's units, which are the image's pixels at full scale; id and name
// find the image again at other scales (name must outlive the strip).
struct BitmapStrip {
  LICE_IBitmap* bitmap = nullptr;
  int id = 0;
  const char* name = nullptr;
  int width = 0;
  int height = 0;
  int frames = 1;
  bool framesHorizontal = false;

  int FrameWidth() const { return framesHorizontal ? width / frames : width; }
  int FrameHeight() const { return framesHorizontal ? height : height / frames; }
};
