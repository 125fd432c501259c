#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct ByteSink {
  std::vector<unsigned char>* bytes;
  bool failed;
};

void WriteToSink(png_structp png, png_bytep data, png_size_t count) {
  auto* sink = static_cast<ByteSink*>(png_get_io_ptr(png));
  // insert may throw; an exception must not unwind through libpng.
  try {
    sink->bytes->insert(sink->bytes->end(), data, data + count);
  } catch (...) {
    sink->failed = true;
  }
  if (sink->failed) png_error(png, "out of memory");
}

void FlushNothing(png_structp /*png*/) {}

[[noreturn]] void JumpOnError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// The pixel word alpha<<24 | red<<16 | green<<8 | blue as bytes R, G, B, A.
void PixelsToRgba(LICE_IBitmap* bitmap, int y, unsigned char* out) {
  const LICE_pixel* row = bitmap->Bits() + static_cast<long>(y) * bitmap->RowSpan();
  for (int x = 0; x < bitmap->Width(); ++x) {
    out[4 * x] = static_cast<unsigned char>(LICE_GetR(row[x]));
    out[4 * x + 1] = static_cast<unsigned char>(LICE_GetG(row[x]));
    out[4 * x + 2] = static_cast<unsigned char>(LICE_GetB(row[x]));
    out[4 * x + 3] = static_cast<unsigned char>(LICE_GetA(row[x]));
  }
}

// Runs libpng's write side with output already set up by setOutput.
template <typename SetOutput>
bool WriteImage(LICE_IBitmap* bitmap, SetOutput setOutput) {
  if (!bitmap || !bitmap->Bits() || bitmap->Width() <= 0 || bitmap->Height() <= 0) return false;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  unsigned char* volatile rowBytes =
      static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(bitmap->Width()) * 4));
  if (!rowBytes || setjmp(png_jmpbuf(png))) {
    std::free(rowBytes);
    png_destroy_write_struct(&png, &info);
    return false;
  }
  setOutput(png);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap->Width()),
               static_cast<png_uint_32>(bitmap->Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bitmap->Height(); ++y) {
    PixelsToRgba(bitmap, y, rowBytes);
    png_write_row(png, rowBytes);
  }
  png_write_end(png, nullptr);
  std::free(rowBytes);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool EncodePng(LICE_IBitmap* bitmap, std::vector<unsigned char>* png) {
  png->clear();
  ByteSink sink{png, false};
  const bool ok = WriteImage(
      bitmap, [&sink](png_structp p) { png_set_write_fn(p, &sink, WriteToSink, FlushNothing); });
  if (!ok || sink.failed) png->clear();
  return ok && !sink.failed;
}

bool WritePng(LICE_IBitmap* bitmap, const char* path) {
  if (!path) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = WriteImage(bitmap, [file](png_structp p) { png_init_io(p, file); });
  const bool closed = std::fclose(file) == 0;
  if (!(written && closed)) std::remove(path);
  return written && closed;
}
