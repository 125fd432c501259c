// The test host's own parts, where a fault would pass for the plug-in's: a
// stream that moves a few bytes a call, and change lists kept in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MemoryStream.h"
#include "ParameterChanges.h"

TEST(HostMemoryStream, ReadsAndWritesNoMoreThanItsLimitPerCall) {
  MemoryStream stream;
  stream.SetMaxBytesPerCall(3);
  uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  vst3::int32 moved = -1;
  ASSERT_EQ(stream.write(bytes, 8, &moved), vst3::kResultOk);
  EXPECT_EQ(moved, 3);
  ASSERT_EQ(stream.write(bytes + 3, 5, &moved), vst3::kResultOk);
  EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  vst3::int64 at = -1;
  ASSERT_EQ(stream.seek(-2, vst3::IBStream::kIBSeekEnd, &at), vst3::kResultOk);
  EXPECT_EQ(at, 4);
  uint8_t read[8] = {};
  ASSERT_EQ(stream.read(read, 8, &moved), vst3::kResultOk);
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(read[0], 5);
  ASSERT_EQ(stream.read(read, 8, &moved), vst3::kResultOk);
  EXPECT_EQ(moved, 0);
  EXPECT_EQ(stream.seek(-1, vst3::IBStream::kIBSeekSet, &at), vst3::kInvalidArgument);
  EXPECT_EQ(stream.read(read, -1, &moved), vst3::kInvalidArgument);
}

TEST(HostParameterChanges, QueuesKeepPointsInOffsetOrderAndRefuseBeyondTheirRoom) {
  ParameterChanges changes(2);
  changes.Add(7, 100, 0.5);
  changes.Add(7, 20, 0.25);
  changes.Add(7, 100, 0.75);
  changes.Add(9, 0, 1.0);
  vst3::int32 index = -1;
  EXPECT_EQ(changes.addParameterData(11, index), nullptr);
  ASSERT_EQ(changes.getParameterCount(), 2);
  vst3::IParamValueQueue* queue = changes.getParameterData(0);
  ASSERT_EQ(queue->getPointCount(), 2);
  vst3::int32 offset = -1;
  vst3::ParamValue value = -1.0;
  ASSERT_EQ(queue->getPoint(0, offset, value), vst3::kResultOk);
  EXPECT_EQ(offset, 20);
  ASSERT_EQ(queue->getPoint(1, offset, value), vst3::kResultOk);
  EXPECT_EQ(offset, 100);
  EXPECT_EQ(value, 0.75);
  EXPECT_NE(queue->getPoint(2, offset, value), vst3::kResultOk);
  changes.Clear();
  EXPECT_EQ(changes.getParameterCount(), 0);
  EXPECT_EQ(changes.getParameterData(0), nullptr);
}
