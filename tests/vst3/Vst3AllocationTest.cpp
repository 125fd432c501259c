// The VST 3 module's process never allocates, the first blocks on a new
// thread included: this program replaces the C library's allocator and
// counts what a thread asks of it while it is inside process, with the
// host's parameter changes in every block and program changes among them.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "host/Vst3Host.h"

namespace {

constexpr int kBlock = 256;
constexpr vst3::ParamID kProgramChangeId = 1000;
constexpr vst3::ParamID kOutputGain = 13;
constexpr vst3::ParamID kWow = 4;
constexpr vst3::ParamID kPower = 18;

template <class Sample>
class Blocks {
 public:
  Blocks() : left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock) {
    for (int i = 0; i < kBlock; ++i) {
      left[i] = static_cast<Sample>(0.3 * std::sin(0.031 * i));
      right[i] = static_cast<Sample>(0.2 * std::sin(0.047 * i));
    }
  }
  // One block, counted, with the changes given.
  vst3::tresult Run(Vst3Host& host, ParameterChanges* changes) {
    Sample* in[2] = {left.data(), right.data()};
    Sample* out[2] = {outLeft.data(), outRight.data()};
    allocation_counter::SetCounting(true);
    const vst3::tresult result = host.Process(in, out, kBlock, changes);
    allocation_counter::SetCounting(false);
    return result;
  }

 private:
  std::vector<Sample> left, right, outLeft, outRight;
};

template <class Sample>
void FirstBlocksOnFreshThreads(vst3::int32 sampleSize) {
  allocation_counter::Reset();
  Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
  ASSERT_EQ(host.Failure(), "");
  ParameterChanges changes;
  Blocks<Sample> blocks;
  for (double rate : {44100.0, 96000.0}) {
    ASSERT_EQ(host.Start(rate, kBlock, sampleSize), vst3::kResultOk);
    for (int program = 0; program < 16; program += 5) {
      changes.Clear();
      changes.Add(kProgramChangeId, 0, program / 15.0);
      changes.Add(kWow, 17, 0.5);
      std::thread([&] {
        EXPECT_EQ(blocks.Run(host, &changes), vst3::kResultOk);
        EXPECT_EQ(blocks.Run(host, nullptr), vst3::kResultOk);
      }).join();
      EXPECT_EQ(allocation_counter::Count(), 0) << "program " << program << " at " << rate;
    }
    host.Stop();
  }
}

}  // namespace

TEST(Vst3Allocation, FirstBlocksOnFreshThreadsAllocateNothingInSinglePrecision) {
  FirstBlocksOnFreshThreads<float>(vst3::kSample32);
}

TEST(Vst3Allocation, FirstBlocksOnFreshThreadsAllocateNothingInDoublePrecision) {
  FirstBlocksOnFreshThreads<double>(vst3::kSample64);
}

TEST(Vst3Allocation, ChangesInEveryBlockAndFlushesAllocateNothing) {
  allocation_counter::Reset();
  Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
  ASSERT_EQ(host.Failure(), "");
  ASSERT_EQ(host.Start(48000.0, kBlock, vst3::kSample32), vst3::kResultOk);
  ParameterChanges changes;
  Blocks<float> blocks;
  std::thread audio([&] {
    for (int block = 0; block < 300; ++block) {
      changes.Clear();
      for (int offset = 0; offset < kBlock; offset += 40) {
        changes.Add(kOutputGain, offset, ((block * 7 + offset) % 11) / 10.0);
      }
      if (block % 37 == 5) changes.Add(kProgramChangeId, 3, (block % 16) / 15.0);
      if (block % 50 == 20) changes.Add(kPower, 0, block % 100 == 20 ? 1.0 : 0.0);
      if (block % 10 == 9) {
        allocation_counter::SetCounting(true);
        host.Flush(&changes);
        allocation_counter::SetCounting(false);
      } else {
        blocks.Run(host, &changes);
      }
    }
  });
  audio.join();
  EXPECT_EQ(allocation_counter::Count(), 0);
}
