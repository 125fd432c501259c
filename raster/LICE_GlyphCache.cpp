#include "LICE_GlyphCache.h"

#include <algorithm>

std::vector<std::unique_ptr<LICE_Glyph>>::const_iterator LICE_GlyphCache::LowerBound(
    char32_t code) const {
  return std::lower_bound(
      sorted.begin(), sorted.end(), code,
      [](const std::unique_ptr<LICE_Glyph>& glyph, char32_t key) { return glyph->code < key; });
}

const LICE_Glyph* LICE_GlyphCache::Find(char32_t code) const {
  std::lock_guard<std::mutex> lock(mutex);
  if (code < kDirectCount) return direct[code].get();
  const auto it = LowerBound(code);
  return it != sorted.end() && (*it)->code == code ? it->get() : nullptr;
}

const LICE_Glyph* LICE_GlyphCache::Add(std::unique_ptr<LICE_Glyph> glyph) {
  const char32_t code = glyph->code;
  std::lock_guard<std::mutex> lock(mutex);
  if (code < kDirectCount) {
    if (!direct[code]) direct[code] = std::move(glyph);
    return direct[code].get();
  }
  const auto it = LowerBound(code);
  if (it != sorted.end() && (*it)->code == code) return it->get();
  return sorted.insert(it, std::move(glyph))->get();
}

void LICE_GlyphCache::Clear() {
  std::lock_guard<std::mutex> lock(mutex);
  for (auto& glyph : direct) glyph.reset();
  sorted.clear();
}
