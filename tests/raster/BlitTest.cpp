#include <gtest/gtest.h>

#include "LICE_Blit.h"
#include "LICE_MemBitmap.h"

namespace {

LICE_pixel& At(LICE_IBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}

void Fill(LICE_IBitmap& bitmap, LICE_pixel colour) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) At(bitmap, x, y) = colour;
  }
}

// A different value in every pixel, so misplaced copies show.
void FillPattern(LICE_IBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      At(bitmap, x, y) = LICE_RGBA(x * 7, y * 5, x ^ y, 128 + ((x + y) & 127));
    }
  }
}

// Blits one source pixel over one destination pixel.
LICE_pixel BlitOne(LICE_pixel dest, LICE_pixel src, float weight, int mode) {
  LICE_MemBitmap d(1, 1), s(1, 1);
  At(d, 0, 0) = dest;
  At(s, 0, 0) = src;
  Blit(&d, &s, 0, 0, nullptr, weight, mode);
  return At(d, 0, 0);
}

constexpr int kAlpha = kBlitModeCopy | kBlitUseSourceAlpha;

TEST(Blit, FullyTransparentFrameLeavesTheDestination) {
  LICE_MemBitmap dest(100, 100), frame(64, 64), before(100, 100);
  FillPattern(dest);
  FillPattern(before);
  Fill(frame, LICE_RGBA(255, 255, 255, 0));
  Blit(&dest, &frame, 10, 10, nullptr, 1.0f, kAlpha);
  Blit(&dest, &frame, 10, 10, nullptr, 0.25f, kAlpha);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(At(dest, x, y), At(before, x, y));
  }
}

TEST(Blit, SourceAlphaAtFullWeight) {
  // Alpha 128 over white: channel = src + (255 - src) * 127 / 256, alpha saturates.
  EXPECT_EQ(BlitOne(LICE_RGBA(255, 255, 255, 255), LICE_RGBA(0, 100, 255, 128), 1.0f, kAlpha),
            LICE_RGBA(126, 176, 255, 255));
  // Opaque source pixels are stored as they are.
  EXPECT_EQ(BlitOne(LICE_RGBA(1, 2, 3, 0), LICE_RGBA(9, 8, 7, 255), 1.0f, kAlpha),
            LICE_RGBA(9, 8, 7, 255));
  // At full weight the alpha grows by the source alpha, not alpha + 1.
  EXPECT_EQ(LICE_GetA(BlitOne(LICE_RGBA(0, 0, 0, 50), LICE_RGBA(0, 0, 0, 100), 1.0f, kAlpha)), 150);
}

TEST(Blit, SourceAlphaAtQuarterWeight) {
  // P = 64: channel = src + (dest - src) * 192 / 256, truncated toward zero.
  EXPECT_EQ(BlitOne(LICE_RGBA(200, 100, 50, 100), LICE_RGBA(0, 100, 200, 255), 0.25f, kAlpha),
            LICE_RGBA(150, 100, 88, 164));
}

TEST(Blit, CopyWithoutAlphaWeights) {
  const LICE_pixel dest = LICE_RGBA(255, 10, 255, 255);
  const LICE_pixel src = LICE_RGBA(1, 200, 0, 0);
  EXPECT_EQ(BlitOne(dest, src, 1.0f, kBlitModeCopy), src);
  // Half weight halves each byte and drops the low bits.
  EXPECT_EQ(BlitOne(dest, src, 0.5f, kBlitModeCopy), LICE_RGBA(127, 105, 127, 127));
  // Other weights: src + (dest - src) * (256 - ia) / 256 on all four bytes.
  EXPECT_EQ(BlitOne(dest, src, 0.75f, kBlitModeCopy), LICE_RGBA(64, 153, 63, 63));
}

TEST(Blit, AddAndDodge) {
  const int add = kBlitModeAdd | kBlitUseSourceAlpha;
  const int dodge = kBlitModeDodge | kBlitUseSourceAlpha;
  EXPECT_EQ(BlitOne(LICE_RGBA(100, 200, 0, 10), LICE_RGBA(100, 100, 40, 255), 1.0f, add),
            LICE_RGBA(200, 255, 40, 255));
  // Alpha 127 adds half of each channel: N = 128.
  EXPECT_EQ(BlitOne(LICE_RGBA(100, 0, 0, 10), LICE_RGBA(100, 100, 40, 127), 1.0f, add),
            LICE_RGBA(150, 50, 20, 73));
  // k = src: dest * 256 / (256 - k), and dest * 256 once k reaches 255.
  EXPECT_EQ(BlitOne(LICE_RGBA(100, 1, 0, 10), LICE_RGBA(128, 255, 255, 255), 1.0f, dodge),
            LICE_RGBA(200, 255, 0, 255));
  EXPECT_EQ(BlitOne(LICE_RGBA(100, 7, 0, 0), LICE_RGBA(0, 0, 0, 0), 1.0f, dodge),
            LICE_RGBA(100, 7, 0, 0));
}

TEST(Blit, NegativeDestinationCopiesFromTheMatchingSourceOffset) {
  LICE_MemBitmap src(30, 30), dest(30, 30);
  FillPattern(src);
  Fill(dest, 0);
  Blit(&dest, &src, -10, -10, nullptr, 1.0f, kBlitModeCopy);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const LICE_pixel expected = x < 20 && y < 20 ? At(src, x + 10, y + 10) : 0;
      ASSERT_EQ(At(dest, x, y), expected) << x << "," << y;
    }
  }
}

TEST(Blit, SourceRectangleIsClippedToTheSource) {
  LICE_MemBitmap src(10, 10), dest(20, 20);
  FillPattern(src);
  Fill(dest, 0);
  // Negative left/top move the destination; right/bottom stop at the source edge.
  const LICE_Rect region{-2, -3, 50, 50};
  Blit(&dest, &src, 5, 5, &region, 1.0f, kBlitModeCopy);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 7 && x < 17 && y >= 8 && y < 18;
      ASSERT_EQ(At(dest, x, y), inside ? At(src, x - 7, y - 8) : 0) << x << "," << y;
    }
  }
}

TEST(Blit, DrawsNothingWithoutBitmapsOrWeight) {
  const LICE_pixel dest = LICE_RGBA(1, 2, 3, 4);
  const LICE_pixel src = LICE_RGBA(200, 200, 200, 255);
  EXPECT_EQ(BlitOne(dest, src, 0.0f, kAlpha), dest);
  EXPECT_EQ(BlitOne(dest, src, -1.0f, kBlitModeCopy), dest);
  // Weights above 1 act as 1 instead of pushing channels out of range.
  EXPECT_EQ(BlitOne(dest, LICE_RGBA(200, 0, 0, 128), 2.0f, kAlpha),
            BlitOne(dest, LICE_RGBA(200, 0, 0, 128), 1.0f, kAlpha));
  LICE_MemBitmap empty, one(1, 1);
  Blit(&one, &empty, 0, 0, nullptr, 1.0f, kBlitModeCopy);
  Blit(&empty, &one, 0, 0, nullptr, 1.0f, kBlitModeCopy);
  Blit(nullptr, &one, 0, 0, nullptr, 1.0f, kBlitModeCopy);
}

}  // namespace
