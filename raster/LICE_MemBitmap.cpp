#include "LICE_MemBitmap.h"

#include <cstdint>
#include <cstdlib>

LICE_MemBitmap::LICE_MemBitmap(int width, int height) { Resize(width, height); }

LICE_MemBitmap::~LICE_MemBitmap() { FreeBuffer(); }

LICE_pixel* LICE_MemBitmap::Bits() {
  if (!buffer) return nullptr;
  const auto address = reinterpret_cast<std::uintptr_t>(buffer);
  return reinterpret_cast<LICE_pixel*>((address + kAlignmentSlack) & ~std::uintptr_t{63});
}

bool LICE_MemBitmap::Resize(int newWidth, int newHeight) {
  if (newWidth == width && newHeight == height) return false;
  if (newWidth <= 0 || newHeight <= 0) {
    // An empty bitmap reports 0 x 0 so that no caller walks negative sizes.
    const bool changed = width != 0 || height != 0;
    FreeBuffer();
    width = 0;
    height = 0;
    return changed;
  }
  width = newWidth;
  height = newHeight;
  const std::size_t need =
      static_cast<std::size_t>(RowSpan()) * static_cast<std::size_t>(height) * sizeof(LICE_pixel);
  if (need > allocatedBytes) {
    // The old contents are not kept, so a fresh buffer is as good as a copy.
    std::free(buffer);
    const std::size_t roomy = need + need / 4;
    buffer = static_cast<unsigned char*>(std::malloc(roomy + kAlignmentSlack));
    allocatedBytes = roomy;
    if (!buffer) {
      buffer = static_cast<unsigned char*>(std::malloc(need + kAlignmentSlack));
      allocatedBytes = need;
    }
    if (!buffer) {
      allocatedBytes = 0;
      width = 0;
      height = 0;
    }
  }
  return true;
}

void LICE_MemBitmap::FreeBuffer() {
  std::free(buffer);
  buffer = nullptr;
  allocatedBytes = 0;
}
