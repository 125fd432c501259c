#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "LICE_SystemFont.h"

// Rendered glyphs of one font: a direct table for codes 0-127 and a list
// sorted by code, searched by bisection, for the rest. Glyphs stay in place
// once added, so the pointers handed out remain valid until Clear. The lock
// is held only while searching or appending; rendering happens outside it.
class LICE_GlyphCache {
 public:
  const LICE_Glyph* Find(char32_t code) const;
  // Adds glyph unless another thread added the same code meanwhile; returns
  // the glyph that is in the cache.
  const LICE_Glyph* Add(std::unique_ptr<LICE_Glyph> glyph);
  void Clear();

 private:
  static constexpr char32_t kDirectCount = 128;

  std::vector<std::unique_ptr<LICE_Glyph>>::const_iterator LowerBound(char32_t code) const;

  mutable std::mutex mutex;
  std::array<std::unique_ptr<LICE_Glyph>, kDirectCount> direct;
  std::vector<std::unique_ptr<LICE_Glyph>> sorted;
};
