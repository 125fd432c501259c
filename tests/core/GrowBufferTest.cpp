#include <gtest/gtest.h>

#include <cstring>

#include "core/GrowBuffer.h"
#include "core/PointerArray.h"

TEST(GrowBuffer, GrowthLeavesHeadroomAndKeepsContents) {
  GrowBuffer buffer;
  ASSERT_TRUE(buffer.Append("abc", 3));
  EXPECT_EQ(buffer.Size(), 3);
  // Half of 3 is below the granularity, so a whole page of headroom comes on top.
  EXPECT_EQ(buffer.Allocated(), 3 + 4096);
  const void* before = buffer.Data();
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(buffer.Append("x", 1));
  EXPECT_EQ(buffer.Data(), before) << "appends inside the headroom must not reallocate";
  EXPECT_EQ(std::memcmp(buffer.Data(), "abcx", 4), 0);

  ASSERT_TRUE(buffer.Resize(100000, false));
  // Headroom is half the request, in whole pages: 50000 -> 53248.
  EXPECT_EQ(buffer.Allocated(), 100000 + 53248);
  EXPECT_EQ(std::memcmp(buffer.Data(), "abcx", 4), 0);
}

TEST(GrowBuffer, PagedHeadroomIsCappedAtFourMebibytes) {
  GrowBuffer buffer;
  ASSERT_TRUE(buffer.Resize(20 * 1024 * 1024, false));
  EXPECT_EQ(buffer.Allocated(), 24 * 1024 * 1024);
}

TEST(GrowBuffer, SmallGranularityUsesPlainHeadroom) {
  GrowBuffer buffer(128);
  ASSERT_TRUE(buffer.Resize(10, false));
  EXPECT_EQ(buffer.Allocated(), 10 + 128);
  ASSERT_TRUE(buffer.Resize(1000, false));
  EXPECT_EQ(buffer.Allocated(), 1500);
}

TEST(GrowBuffer, ShrinkOnlyWellBelowHalfAndFourGranules) {
  GrowBuffer buffer(128);
  ASSERT_TRUE(buffer.Resize(1000, false));
  const int allocated = buffer.Allocated();
  ASSERT_TRUE(buffer.Resize(800));  // above half: keeps the memory
  EXPECT_EQ(buffer.Allocated(), allocated);
  ASSERT_TRUE(buffer.Resize(100, false));  // shrinking not allowed
  EXPECT_EQ(buffer.Allocated(), allocated);
  ASSERT_TRUE(buffer.Resize(100));  // below half and more than 512 bytes below
  EXPECT_EQ(buffer.Allocated(), 100);
  EXPECT_EQ(buffer.Size(), 100);
  ASSERT_TRUE(buffer.Resize(0));
  EXPECT_EQ(buffer.Allocated(), 0);
  EXPECT_EQ(buffer.Data(), nullptr);
}

TEST(GrowBuffer, ZeroFillAndRefusedSizes) {
  GrowBuffer buffer;
  ASSERT_TRUE(buffer.Append("\xff\xff", 2));
  ASSERT_TRUE(buffer.Resize(1, false));
  ASSERT_TRUE(buffer.Resize(8, false, true));
  const auto* bytes = static_cast<const unsigned char*>(buffer.Data());
  EXPECT_EQ(bytes[0], 0xff);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(bytes[i], 0) << i;

  EXPECT_FALSE(buffer.Resize(-1));
  EXPECT_FALSE(buffer.Append("x", -5));
  EXPECT_EQ(buffer.Size(), 8);
}

TEST(PointerArray, OutOfRangeIndexYieldsNoObject) {
  PointerArray<int> list;
  int a = 1, b = 2;
  list.Add(&a);
  list.Add(&b);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(1), &b);
  EXPECT_EQ(list.Get(2), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
}
