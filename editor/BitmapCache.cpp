#include "editor/BitmapCache.h"

#include <memory>
#include <mutex>
#include <vector>

#include "raster/LoadPlatformBitmap.h"

namespace {

struct BitmapEntry {
  int id;
  std::unique_ptr<LICE_IBitmap> bitmap;
};

struct BitmapCacheStore {
  std::mutex mutex;
  std::vector<BitmapEntry> entries;
};

BitmapCacheStore& Store() {
  static BitmapCacheStore store;
  return store;
}

LICE_IBitmap* Search(BitmapCacheStore& store, int id) {
  std::lock_guard<std::mutex> lock(store.mutex);
  for (const BitmapEntry& entry : store.entries) {
    if (entry.id == id) return entry.bitmap.get();
  }
  return nullptr;
}

}  // namespace

LICE_IBitmap* BitmapCache::Find(int id, const char* name) {
  BitmapCacheStore& store = Store();
  if (LICE_IBitmap* bitmap = Search(store, id)) return bitmap;
  std::unique_ptr<LICE_IBitmap> decoded(LoadPlatformBitmap(id, name));
  if (!decoded) return nullptr;
  LICE_IBitmap* result = decoded.get();
  std::lock_guard<std::mutex> lock(store.mutex);
  store.entries.push_back(BitmapEntry{id, std::move(decoded)});
  return result;
}
