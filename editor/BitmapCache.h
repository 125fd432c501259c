#pragma once

#include "editor/EditorScale.h"
#include "raster/LICE_IBitmap.h"

struct BitmapStrip;

// The process-wide cache of decoded editor images, shared by every editor
// and kept until the library is unloaded. The lock is held only while
// searching or appending, never while an image decodes, so two callers may
// both decode one id; both stay cached and the first one found wins.
class BitmapCache {
 public:
  // The cached bitmap for id, decoded on first use; null when the image is
  // missing or does not decode (nothing is cached then).
  static LICE_IBitmap* Find(int id, const char* name);
  // The strip's image drawn at scale: made on first use from the image set
  // drawn at the nearest factor at least as large (a smaller one when that
  // set is missing), resized frame by frame so that each frame is
  // scale.PixelSpan() of its layout size. Only the resized bitmap is kept.
  // At full scale, the image itself.
  static LICE_IBitmap* FindScaled(const BitmapStrip& strip, const EditorScale& scale);
};
