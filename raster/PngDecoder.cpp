#include "PngDecoder.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kSignatureBytes = 8;

struct MemoryReader {
  const unsigned char* bytes;
  std::size_t length;
  std::size_t position;
};

// A read past the end gets what is left and zeros for the rest; libpng then
// fails on the chunk it cannot make sense of.
void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  const std::size_t available = reader->length - reader->position;
  const std::size_t copied = count < available ? count : available;
  std::memcpy(out, reader->bytes + reader->position, copied);
  std::memset(out + copied, 0, count - copied);
  reader->position += copied;
}

[[noreturn]] void JumpOnError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// Every image leaves the transformations as four bytes per pixel: alpha, red,
// green, blue.
void SetTransformations(png_structp png, png_infop info) {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  int compression = 0;
  int filter = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, &compression,
               &filter);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    colourType |= PNG_COLOR_MASK_ALPHA;
  }
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  if (colourType & PNG_COLOR_MASK_ALPHA) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
  }
}

// Bytes alpha, red, green, blue become the pixel word of that value.
void ConvertRowsToPixels(LICE_MemBitmap* bitmap) {
  const int width = bitmap->Width();
  for (int y = 0; y < bitmap->Height(); ++y) {
    LICE_pixel* row = bitmap->Bits() + static_cast<long>(y) * bitmap->RowSpan();
    auto* bytes = reinterpret_cast<const unsigned char*>(row);
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = bytes + 4 * x;
      row[x] = LICE_RGBA(p[1], p[2], p[3], p[0]);
    }
  }
}

}  // namespace

LICE_MemBitmap* DecodePngFromMemory(const unsigned char* bytes, std::size_t length) {
  if (!bytes || length < kSignatureBytes || png_sig_cmp(bytes, 0, kSignatureBytes) != 0) {
    return nullptr;
  }
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  // Everything the error path frees exists before the jump point; libpng's
  // long jump must not cross a live C++ object with a destructor.
  LICE_MemBitmap* volatile bitmap = new (std::nothrow) LICE_MemBitmap();
  png_bytep* volatile rows = nullptr;
  MemoryReader reader{bytes, length, 0};
  if (!bitmap || setjmp(png_jmpbuf(png))) {
    std::free(rows);
    delete bitmap;
    png_destroy_read_struct(&png, &info, nullptr);
    return nullptr;
  }

  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  SetTransformations(png, info);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  // Never let libpng write rows longer than the bitmap's.
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) png_error(png, "layout");
  bitmap->Resize(static_cast<int>(width), static_cast<int>(height));
  if (bitmap->Width() != static_cast<int>(width) || bitmap->Height() != static_cast<int>(height)) {
    png_error(png, "no memory for the bitmap");
  }
  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!rows) png_error(png, "no memory for the rows");
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] =
        reinterpret_cast<png_bytep>(bitmap->Bits() + static_cast<long>(y) * bitmap->RowSpan());
  }
  png_read_image(png, rows);
  png_read_end(png, nullptr);

  ConvertRowsToPixels(bitmap);
  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return bitmap;
}
