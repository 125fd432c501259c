#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/StateChunk.h"

TEST(StateChunk, WritesLittleEndian) {
  StateChunk chunk;
  chunk.PutInt32(0x70666674);
  chunk.PutInt32(-2);
  chunk.PutDouble(1.0);
  ASSERT_EQ(chunk.Size(), 16);
  const uint8_t expected[16] = {0x74, 0x66, 0x66, 0x70, 0xfe, 0xff, 0xff, 0xff,
                                0,    0,    0,    0,    0,    0,    0xf0, 0x3f};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(chunk.Data()[i], expected[i]) << i;

  int32_t a = 0, b = 0;
  double d = 0;
  int pos = chunk.GetInt32(&a, 0);
  pos = chunk.GetInt32(&b, pos);
  pos = chunk.GetDouble(&d, pos);
  EXPECT_EQ(pos, 16);
  EXPECT_EQ(a, 0x70666674);
  EXPECT_EQ(b, -2);
  EXPECT_EQ(d, 1.0);
}

TEST(StateChunk, ReadsNeverLeaveTheChunk) {
  StateChunk chunk;
  chunk.PutDouble(NAN);
  chunk.PutByte(7);
  double d = 0;
  int32_t i = 0;
  uint8_t byte = 0;
  EXPECT_EQ(chunk.GetDouble(&d, 2), -1);  // 2 + 8 > 9
  EXPECT_EQ(chunk.GetInt32(&i, -1), -1);
  EXPECT_EQ(chunk.GetInt32(&i, INT_MAX - 2), -1);  // position + 4 overflows 32 bits
  EXPECT_EQ(chunk.GetByte(&byte, 9), -1);
  EXPECT_EQ(chunk.GetByte(&byte, 8), 9);
  EXPECT_EQ(byte, 7);
  char buffer[4];
  EXPECT_EQ(chunk.GetBytes(buffer, -4, 0), -1);
  EXPECT_EQ(chunk.GetBytes(buffer, INT_MAX, 1), -1);
  EXPECT_EQ(chunk.GetBytes(buffer, 0, 9), 9);
  EXPECT_TRUE(std::isnan(chunk.GetDouble(&d, 0) == 8 ? d : 0.0));
}
