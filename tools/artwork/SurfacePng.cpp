#include "SurfacePng.h"

#include "LICE_MemBitmap.h"
#include "PngWriter.h"

namespace {

uint32_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return (channel * 255 + alpha / 2) / alpha;
}

// Bitmap pixels are the same 0xAARRGGBB words, with straight colour.
uint32_t StraightPixel(uint32_t word) {
  const uint32_t a = word >> 24;
  return a << 24 | Unpremultiply((word >> 16) & 0xff, a) << 16 |
         Unpremultiply((word >> 8) & 0xff, a) << 8 | Unpremultiply(word & 0xff, a);
}

}  // namespace

bool WriteSurfacePng(const std::string& path, int width, int height, const uint8_t* pixels,
                     int stride) {
  LICE_MemBitmap bitmap(width, height);
  if (!bitmap.Bits()) return false;
  for (int y = 0; y < height; ++y) {
    const auto* words = reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
    LICE_pixel* row = bitmap.Bits() + static_cast<size_t>(y) * bitmap.RowSpan();
    for (int x = 0; x < width; ++x) row[x] = StraightPixel(words[x]);
  }
  return WritePng(&bitmap, path.c_str());
}
