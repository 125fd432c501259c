#pragma once

#include "raster/LICE_IBitmap.h"

// The process-wide cache of decoded editor images, shared by every editor
// and kept until the library is unloaded. The lock is held only while
// searching or appending, never while an image decodes, so two callers may
// both decode one id; both stay cached and the first one found wins.
class BitmapCache {
 public:
  // The cached bitmap for id, decoded on first use; null when the image is
  // missing or does not decode (nothing is cached then).
  static LICE_IBitmap* Find(int id, const char* name);
};
