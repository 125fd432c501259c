#pragma once

#include "LICE_CachedFont.h"
#include "LICE_SystemFont.h"

// The process-wide font cache: one LICE_CachedFont per height, orientation,
// style and face name, kept until the library is unloaded. The lock is held
// only while searching or appending, never while a font is being created.
class LICE_FontCache {
 public:
  // The cached font for request, created on first use; null when the system
  // cannot make the font (nothing is cached then).
  static LICE_CachedFont* Find(const LICE_FontRequest& request);
};
