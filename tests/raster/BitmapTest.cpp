#include <gtest/gtest.h>

#include <cstdint>

#include "LICE_MemBitmap.h"
#include "LICE_SysBitmap.h"

namespace {

bool Aligned64(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 64 == 0; }

TEST(MemBitmap, RowSpanIsWidthRoundedUpToFourAndPixelsAre64ByteAligned) {
  const int widths[] = {1, 3, 4, 5, 7, 8, 9, 1000};
  const int spans[] = {4, 4, 4, 8, 8, 8, 12, 1000};
  for (int i = 0; i < 8; ++i) {
    LICE_MemBitmap bitmap(widths[i], 3);
    EXPECT_EQ(bitmap.RowSpan(), spans[i]) << "width " << widths[i];
    EXPECT_TRUE(Aligned64(bitmap.Bits())) << "width " << widths[i];
    EXPECT_EQ(bitmap.DeviceContext(), nullptr);
  }
}

TEST(MemBitmap, ShrinkingKeepsTheBufferAndReportsTheNewSize) {
  LICE_MemBitmap bitmap(100, 100);
  LICE_pixel* bits = bitmap.Bits();
  const std::size_t allocated = bitmap.AllocatedBytes();
  EXPECT_TRUE(bitmap.Resize(50, 50));
  EXPECT_EQ(bitmap.Width(), 50);
  EXPECT_EQ(bitmap.Height(), 50);
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_EQ(bitmap.AllocatedBytes(), allocated);
  EXPECT_FALSE(bitmap.Resize(50, 50));
  // Growing back within the allocation does not reallocate either.
  EXPECT_TRUE(bitmap.Resize(100, 100));
  EXPECT_EQ(bitmap.Bits(), bits);
}

TEST(MemBitmap, GrowsToFiveQuartersOfTheNeed) {
  LICE_MemBitmap bitmap(10, 10);  // 12 x 10 pixels = 480 bytes
  EXPECT_EQ(bitmap.AllocatedBytes(), 600u);
  bitmap.Resize(12, 12);  // 576 bytes still fit
  EXPECT_EQ(bitmap.AllocatedBytes(), 600u);
  bitmap.Resize(20, 10);  // 800 bytes
  EXPECT_EQ(bitmap.AllocatedBytes(), 1000u);
}

TEST(MemBitmap, NonPositiveSizesGiveAnEmptyBitmap) {
  LICE_MemBitmap none(0, 5);
  EXPECT_EQ(none.Bits(), nullptr);
  LICE_MemBitmap bitmap(8, 8);
  EXPECT_TRUE(bitmap.Resize(-1, 8));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_EQ(bitmap.AllocatedBytes(), 0u);
  EXPECT_TRUE(bitmap.Resize(4, 4));
  EXPECT_NE(bitmap.Bits(), nullptr);
}

TEST(SysBitmap, SurfaceIsRecreatedOnlyWhenTheSizeOutgrowsIt) {
  LICE_SysBitmap bitmap(1001, 420);
  EXPECT_EQ(bitmap.AllocatedWidth(), 1004);
  EXPECT_EQ(bitmap.RowSpan(), 1004);
  EXPECT_EQ(bitmap.DeviceContext(), nullptr);
  LICE_pixel* bits = bitmap.Bits();
  ASSERT_NE(bits, nullptr);
  EXPECT_TRUE(bitmap.Resize(500, 200));
  EXPECT_EQ(bitmap.Width(), 500);
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_EQ(bitmap.RowSpan(), 1004);
  EXPECT_TRUE(bitmap.Resize(500, 421));
  EXPECT_EQ(bitmap.AllocatedWidth(), 500);
  EXPECT_EQ(bitmap.AllocatedHeight(), 421);
  EXPECT_TRUE(bitmap.Resize(0, 10));
  EXPECT_EQ(bitmap.Bits(), nullptr);
}

}  // namespace
