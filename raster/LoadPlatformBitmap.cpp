#include "LoadPlatformBitmap.h"

#include <cstring>

#include "ImageResources.h"
#include "PngDecoder.h"

namespace {

// Shorter data cannot even hold the PNG signature.
constexpr std::size_t kMinimumResourceBytes = 8;

char ToLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool HasPngExtension(const char* name) {
  if (!name) return false;
  const char* dot = std::strrchr(name, '.');
  if (!dot) return false;
  const char* extension = dot + 1;
  return std::strlen(extension) == 3 && ToLower(extension[0]) == 'p' &&
         ToLower(extension[1]) == 'n' && ToLower(extension[2]) == 'g';
}

LICE_IBitmap* LoadPlatformBitmap(int id, const char* name) {
  if (!HasPngExtension(name)) return nullptr;
  const EmbeddedResource* resource = FindImageResource(id);
  if (!resource || resource->Size() < kMinimumResourceBytes) return nullptr;
  return DecodePngFromMemory(resource->Bytes(), resource->Size());
}
