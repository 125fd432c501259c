#include "LICE_FontCache.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct FontEntry {
  LICE_FontRequest request;
  std::unique_ptr<LICE_CachedFont> font;
};

struct FontCacheStore {
  std::mutex mutex;
  std::vector<FontEntry> entries;
};

FontCacheStore& FontCacheStorage() {
  static FontCacheStore store;
  return store;
}

bool SameFont(const LICE_FontRequest& a, const LICE_FontRequest& b) {
  return a.height == b.height && a.orientation == b.orientation && a.style == b.style &&
         std::strncmp(a.face, b.face, sizeof a.face - 1) == 0;
}

LICE_CachedFont* Search(FontCacheStore& store, const LICE_FontRequest& request) {
  std::lock_guard<std::mutex> lock(store.mutex);
  for (const FontEntry& entry : store.entries) {
    if (SameFont(entry.request, request)) return entry.font.get();
  }
  return nullptr;
}

}  // namespace

LICE_CachedFont* LICE_FontCache::Find(const LICE_FontRequest& request) {
  FontCacheStore& store = FontCacheStorage();
  if (LICE_CachedFont* font = Search(store, request)) return font;

  std::unique_ptr<LICE_SystemFont> systemFont = CreateSystemFont(request);
  if (!systemFont) return nullptr;
  auto font = std::make_unique<LICE_CachedFont>();
  font->SetFromSystemFont(systemFont.release(), kFontOwnsSystemFont | kFontRenderNatively);

  LICE_FontRequest key = request;
  key.face[sizeof key.face - 1] = 0;
  LICE_CachedFont* result = font.get();
  std::lock_guard<std::mutex> lock(store.mutex);
  // Two threads may create the same font; both stay and the first one found
  // wins from then on.
  store.entries.push_back(FontEntry{key, std::move(font)});
  return result;
}
