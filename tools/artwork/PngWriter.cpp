#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

std::vector<uint8_t> ToStraightRgbaRow(const uint8_t* row, int width) {
  std::vector<uint8_t> out(static_cast<size_t>(width) * 4);
  const auto* words = reinterpret_cast<const uint32_t*>(row);
  for (int x = 0; x < width; ++x) {
    const uint32_t w = words[x];
    const uint32_t a = w >> 24;
    out[x * 4 + 0] = Unpremultiply((w >> 16) & 0xff, a);
    out[x * 4 + 1] = Unpremultiply((w >> 8) & 0xff, a);
    out[x * 4 + 2] = Unpremultiply(w & 0xff, a);
    out[x * 4 + 3] = static_cast<uint8_t>(a);
  }
  return out;
}

}  // namespace

bool PngWriter::WriteRgba(const std::string& path, int width, int height, const uint8_t* pixels,
                          int stride) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row = ToStraightRgbaRow(pixels + static_cast<size_t>(y) * stride, width);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
