#include "editor/BitmapCache.h"

#include <memory>
#include <mutex>
#include <vector>

#include "editor/BitmapStrip.h"
#include "raster/FrameResampler.h"
#include "raster/LoadPlatformBitmap.h"
#include "resources/EditorImages.h"

namespace {

struct BitmapEntry {
  int id;
  int quarters;
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

LICE_IBitmap* Search(BitmapCacheStore& store, int id, int quarters) {
  std::lock_guard<std::mutex> lock(store.mutex);
  for (const BitmapEntry& entry : store.entries) {
    if (entry.id == id && entry.quarters == quarters) return entry.bitmap.get();
  }
  return nullptr;
}

LICE_IBitmap* Keep(int id, int quarters, std::unique_ptr<LICE_IBitmap> bitmap) {
  if (!bitmap) return nullptr;
  LICE_IBitmap* result = bitmap.get();
  BitmapCacheStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  store.entries.push_back(BitmapEntry{id, quarters, std::move(bitmap)});
  return result;
}

// The image set drawn at the largest factor up to wanted that is there.
std::unique_ptr<LICE_IBitmap> LoadImageSet(int id, const char* name, int wanted, int* factor) {
  for (int f = wanted; f > 1; --f) {
    std::unique_ptr<LICE_IBitmap> set(LoadPlatformBitmap(ImageResourceId(id, f), name));
    if (set) {
      *factor = f;
      return set;
    }
  }
  *factor = 1;
  return std::unique_ptr<LICE_IBitmap>(LoadPlatformBitmap(id, name));
}

std::unique_ptr<LICE_IBitmap> MakeScaled(const BitmapStrip& strip, const EditorScale& scale) {
  int factor = 1;
  std::unique_ptr<LICE_IBitmap> set = LoadImageSet(strip.id, strip.name, scale.ImageSetFactor(), &factor);
  if (!set) return nullptr;
  FrameResampleRequest request;
  request.frames = strip.frames;
  request.framesHorizontal = strip.framesHorizontal;
  request.ratio = scale.Factor() / factor;
  request.frameWidth = scale.PixelSpan(strip.FrameWidth());
  request.frameHeight = scale.PixelSpan(strip.FrameHeight());
  return ResampleFrames(*set, request);
}

}  // namespace

LICE_IBitmap* BitmapCache::Find(int id, const char* name) {
  constexpr int kFull = EditorScale::kQuartersAtFull;
  if (LICE_IBitmap* bitmap = Search(Store(), id, kFull)) return bitmap;
  return Keep(id, kFull, std::unique_ptr<LICE_IBitmap>(LoadPlatformBitmap(id, name)));
}

LICE_IBitmap* BitmapCache::FindScaled(const BitmapStrip& strip, const EditorScale& scale) {
  if (scale.IsFull() || !strip.bitmap) return strip.bitmap;
  if (LICE_IBitmap* bitmap = Search(Store(), strip.id, scale.Quarters())) return bitmap;
  return Keep(strip.id, scale.Quarters(), MakeScaled(strip, scale));
}
