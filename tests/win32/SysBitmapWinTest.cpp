// The system bitmap's Windows surface: a DIB section in a memory context.
#include <gtest/gtest.h>

#include "raster/LICE_SysBitmap.h"
#include "raster/Win32Api.h"

namespace {

LICE_pixel& At(LICE_SysBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}

}  // namespace

TEST(SysBitmapWin, PixelsAreSharedWithGdiTopDownAndBlitBetweenContexts) {
  LICE_SysBitmap bitmap(10, 7);
  HDC dc = static_cast<HDC>(bitmap.DeviceContext());
  ASSERT_NE(dc, nullptr);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.RowSpan(), 12) << "rows are whole multiples of 4 pixels";
  At(bitmap, 0, 0) = LICE_RGBA(10, 20, 30, 255);
  At(bitmap, 9, 6) = LICE_RGBA(200, 100, 50, 255);
  EXPECT_EQ(GetPixel(dc, 0, 0), MakeColorRef(10, 20, 30)) << "row 0 is the top row";
  EXPECT_EQ(GetPixel(dc, 9, 6), MakeColorRef(200, 100, 50));
  SetPixel(dc, 3, 2, MakeColorRef(1, 2, 3));
  GdiFlush();
  EXPECT_EQ(At(bitmap, 3, 2) & 0xFFFFFFu, 0x010203u);

  LICE_SysBitmap dest(16, 16);
  std::fill_n(dest.Bits(), 16 * dest.RowSpan(), LICE_pixel{0});
  ASSERT_TRUE(BitBlt(static_cast<HDC>(dest.DeviceContext()), 4, 5, 6, 2, dc, 0, 0, SRCCOPY));
  GdiFlush();
  EXPECT_EQ(At(dest, 4, 5) & 0xFFFFFFu, 0x0A141Eu);
  EXPECT_EQ(At(dest, 7, 7), 0u);
  EXPECT_EQ(At(dest, 10, 5), 0u);
}

TEST(SysBitmapWin, GrowingReplacesTheSectionInTheSameContext) {
  LICE_SysBitmap bitmap(8, 8);
  void* dc = bitmap.DeviceContext();
  EXPECT_FALSE(bitmap.Resize(8, 8));
  ASSERT_TRUE(bitmap.Resize(4, 4));
  EXPECT_EQ(bitmap.AllocatedWidth(), 8) << "shrinking keeps the section";

  ASSERT_TRUE(bitmap.Resize(300, 200));
  EXPECT_EQ(bitmap.DeviceContext(), dc);
  EXPECT_EQ(bitmap.RowSpan(), 300);
  At(bitmap, 299, 199) = LICE_RGBA(9, 8, 7, 255);
  EXPECT_EQ(GetPixel(static_cast<HDC>(dc), 299, 199), MakeColorRef(9, 8, 7))
      << "the new section is the one selected";

  EXPECT_TRUE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.DeviceContext(), dc) << "the context lives with the object";
}
