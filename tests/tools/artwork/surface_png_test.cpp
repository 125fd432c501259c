#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SurfacePng.h"

namespace {

std::string TempPath(const char* name) { return std::string(::testing::TempDir()) + "/" + name; }

std::vector<uint8_t> DecodeRgba(const std::string& path, png_uint_32* width) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  *width = image.width;
  return pixels;
}

TEST(SurfacePng, StoresStraightAlphaFromPremultipliedWords) {
  // Opaque orange, half-transparent premultiplied grey, fully transparent.
  const uint32_t words[3] = {0xfff09e3bu, 0x80404040u, 0x00000000u};
  const std::string path = TempPath("png_writer_straight.png");
  ASSERT_TRUE(
      WriteSurfacePng(path, 3, 1, reinterpret_cast<const uint8_t*>(words), sizeof(words)));
  png_uint_32 width = 0;
  const std::vector<uint8_t> px = DecodeRgba(path, &width);
  ASSERT_EQ(px.size(), 12u);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(std::vector<uint8_t>(px.begin(), px.begin() + 4),
            (std::vector<uint8_t>{0xf0, 0x9e, 0x3b, 0xff}));
  // 0x40 at alpha 0x80 is 0x80 once un-premultiplied (64 * 255 / 128, rounded).
  EXPECT_EQ(std::vector<uint8_t>(px.begin() + 4, px.begin() + 8),
            (std::vector<uint8_t>{0x80, 0x80, 0x80, 0x80}));
  EXPECT_EQ(px[11], 0);
  std::remove(path.c_str());
}

TEST(SurfacePng, SamePixelsGiveSameBytesAndNoTimeChunk) {
  const uint32_t words[4] = {0xff102030u, 0x7f112233u, 0x01010101u, 0xffffffffu};
  const std::string a = TempPath("png_writer_a.png"), b = TempPath("png_writer_b.png");
  ASSERT_TRUE(WriteSurfacePng(a, 2, 2, reinterpret_cast<const uint8_t*>(words), 8));
  ASSERT_TRUE(WriteSurfacePng(b, 2, 2, reinterpret_cast<const uint8_t*>(words), 8));
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  const std::string bytesA(std::istreambuf_iterator<char>(fa), {});
  const std::string bytesB(std::istreambuf_iterator<char>(fb), {});
  EXPECT_EQ(bytesA, bytesB);
  EXPECT_EQ(bytesA.find("tIME"), std::string::npos);
  std::remove(a.c_str());
  std::remove(b.c_str());
}

TEST(SurfacePng, UnwritablePathFails) {
  const uint32_t word = 0xffffffffu;
  EXPECT_FALSE(WriteSurfacePng("/nonexistent-dir/x.png", 1, 1,
                                    reinterpret_cast<const uint8_t*>(&word), 4));
}

}  // namespace
