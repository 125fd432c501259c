#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "LICE_MemBitmap.h"
#include "PngDecoder.h"
#include "PngWriter.h"
#include "TestPng.h"

namespace {

std::unique_ptr<LICE_MemBitmap> Decode(const std::vector<unsigned char>& bytes) {
  return std::unique_ptr<LICE_MemBitmap>(DecodePngFromMemory(bytes.data(), bytes.size()));
}

LICE_pixel At(LICE_IBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}

std::vector<unsigned char> SmallRgbaPng() {
  TestPngLayout layout;
  layout.width = 5;
  layout.height = 3;
  for (int y = 0; y < 3; ++y) {
    std::vector<png_byte> row;
    for (int x = 0; x < 5; ++x) {
      row.insert(row.end(),
                 {png_byte(40 * x), png_byte(60 * y), png_byte(x + y), png_byte(50 * x)});
    }
    layout.rows.push_back(row);
  }
  return MakeTestPng(layout);
}

TEST(PngDecode, RgbaKeepsColoursUnpremultiplied) {
  auto bitmap = Decode(SmallRgbaPng());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), 5);
  EXPECT_EQ(bitmap->Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(At(*bitmap, x, y), LICE_RGBA(40 * x, 60 * y, x + y, 50 * x));
  }
}

TEST(PngDecode, PaletteWithTransparency) {
  TestPngLayout layout;
  layout.width = 3;
  layout.colourType = PNG_COLOR_TYPE_PALETTE;
  layout.palette = {{255, 0, 0}, {0, 128, 255}, {10, 20, 30}};
  layout.paletteAlpha = {255, 64};  // entries past the list stay opaque
  layout.rows = {{2, 1, 0}};
  auto bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(At(*bitmap, 0, 0), LICE_RGBA(10, 20, 30, 255));
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(0, 128, 255, 64));
  EXPECT_EQ(At(*bitmap, 2, 0), LICE_RGBA(255, 0, 0, 255));

  layout.paletteAlpha.clear();
  bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(0, 128, 255, 255));
}

TEST(PngDecode, GreyFourBitBecomesOpaqueGrey) {
  TestPngLayout layout;
  layout.width = 4;
  layout.bitDepth = 4;
  layout.colourType = PNG_COLOR_TYPE_GRAY;
  layout.rows = {{0x0f, 0x7a}};  // levels 0, 15, 7, 10
  auto bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  const int levels[] = {0, 15, 7, 10};
  for (int x = 0; x < 4; ++x) {
    const int grey = levels[x] * 17;
    EXPECT_EQ(At(*bitmap, x, 0), LICE_RGBA(grey, grey, grey, 255));
  }
}

TEST(PngDecode, GreyTransparencyBecomesAlpha) {
  TestPngLayout layout;
  layout.width = 2;
  layout.colourType = PNG_COLOR_TYPE_GRAY;
  layout.greyTransparent = true;
  layout.transparentGrey = 7;
  layout.rows = {{7, 200}};
  auto bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(LICE_GetA(At(*bitmap, 0, 0)), 0);
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(200, 200, 200, 255));
}

TEST(PngDecode, RgbWithoutAlphaIsOpaque) {
  TestPngLayout layout;
  layout.width = 2;
  layout.colourType = PNG_COLOR_TYPE_RGB;
  layout.rows = {{1, 2, 3, 250, 251, 252}};
  auto bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(At(*bitmap, 0, 0), LICE_RGBA(1, 2, 3, 255));
  EXPECT_EQ(At(*bitmap, 1, 0), LICE_RGBA(250, 251, 252, 255));
}

TEST(PngDecode, SixteenBitKeepsTheHighByte) {
  TestPngLayout layout;
  layout.bitDepth = 16;
  layout.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  layout.rows = {{0xab, 0xff, 0x12, 0x34, 0x00, 0x80, 0x7f, 0x01}};
  auto bitmap = Decode(MakeTestPng(layout));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(At(*bitmap, 0, 0), LICE_RGBA(0xab, 0x12, 0x00, 0x7f));
}

TEST(PngDecode, InterlacedMatchesPlain) {
  TestPngLayout layout;
  layout.width = 9;
  layout.height = 9;
  for (int y = 0; y < 9; ++y) {
    std::vector<png_byte> row;
    for (int x = 0; x < 9; ++x) row.insert(row.end(), {png_byte(x * 20), png_byte(y * 20), 7, 255});
    layout.rows.push_back(row);
  }
  auto plain = Decode(MakeTestPng(layout));
  layout.interlaced = true;
  auto interlaced = Decode(MakeTestPng(layout));
  ASSERT_TRUE(plain && interlaced);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) EXPECT_EQ(At(*interlaced, x, y), At(*plain, x, y));
  }
}

TEST(PngDecode, BadInputGivesNull) {
  const std::vector<unsigned char> good = SmallRgbaPng();
  const std::vector<unsigned char> signatureOnly(good.begin(), good.begin() + 8);
  EXPECT_FALSE(Decode(signatureOnly));
  EXPECT_EQ(DecodePngFromMemory(good.data(), 7), nullptr);
  EXPECT_EQ(DecodePngFromMemory(nullptr, 100), nullptr);
  std::vector<unsigned char> notPng = good;
  notPng[1] = 'Q';
  EXPECT_FALSE(Decode(notPng));
  for (std::size_t cut : {good.size() / 3, good.size() / 2, good.size() - 13}) {
    EXPECT_FALSE(Decode(std::vector<unsigned char>(good.begin(), good.begin() + cut))) << cut;
  }
  std::vector<unsigned char> corrupt = good;
  corrupt[corrupt.size() / 2] ^= 0x5a;
  EXPECT_FALSE(Decode(corrupt));
}

void FillNoise(LICE_MemBitmap* bitmap) {
  std::uint32_t state = 12345;
  for (int y = 0; y < bitmap->Height(); ++y) {
    for (int x = 0; x < bitmap->Width(); ++x) {
      state = state * 1664525u + 1013904223u;
      bitmap->Bits()[y * bitmap->RowSpan() + x] = state;
    }
  }
}

void ExpectSamePixels(LICE_IBitmap& a, LICE_IBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(At(a, x, y), At(b, x, y)) << x << "," << y;
  }
}

TEST(PngWrite, RoundTripThroughMemoryAndFile) {
  LICE_MemBitmap original(13, 7);
  FillNoise(&original);
  std::vector<unsigned char> bytes, again;
  ASSERT_TRUE(EncodePng(&original, &bytes));
  ASSERT_TRUE(EncodePng(&original, &again));
  EXPECT_EQ(bytes, again);
  auto decoded = Decode(bytes);
  ASSERT_TRUE(decoded);
  ExpectSamePixels(original, *decoded);

  const std::string path = testing::TempDir() + "raster_round_trip.png";
  ASSERT_TRUE(WritePng(&original, path.c_str()));
  std::ifstream file(path, std::ios::binary);
  const std::vector<unsigned char> fromFile{std::istreambuf_iterator<char>(file), {}};
  std::remove(path.c_str());
  EXPECT_EQ(fromFile, bytes);
}

TEST(PngWrite, FailsWithoutPixelsOrPlace) {
  LICE_MemBitmap empty;
  std::vector<unsigned char> bytes;
  EXPECT_FALSE(EncodePng(&empty, &bytes));
  LICE_MemBitmap one(1, 1);
  EXPECT_FALSE(WritePng(&one, "/nonexistent-directory/x.png"));
}

}  // namespace
