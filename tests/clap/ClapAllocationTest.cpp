// The CLAP module's process never allocates, the first blocks on a new
// thread included: this program replaces the C library's allocator and
// counts what a thread asks of it while it is inside process, with the
// host's parameter events in every block, flushes and resets among them.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "host/ClapHost.h"

namespace {

constexpr uint32_t kBlock = 256;
constexpr clap::clap_id kWow = 4;
constexpr clap::clap_id kNoiseType = 12;
constexpr clap::clap_id kOutputGain = 13;
constexpr clap::clap_id kPower = 18;

template <class Sample>
class Blocks {
 public:
  Blocks() : left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock) {
    for (uint32_t i = 0; i < kBlock; ++i) {
      left[i] = static_cast<Sample>(0.3 * std::sin(0.031 * i));
      right[i] = static_cast<Sample>(0.2 * std::sin(0.047 * i));
    }
  }
  // One block, counted, with the events given, out of place or in place.
  clap::clap_process_status Run(ClapHost& host, const InputEvents* events, bool inPlace = false) {
    Sample* in[2] = {left.data(), right.data()};
    Sample* out[2] = {outLeft.data(), outRight.data()};
    allocation_counter::SetCounting(true);
    const clap::clap_process_status status = host.Process(in, inPlace ? in : out, kBlock, events);
    allocation_counter::SetCounting(false);
    return status;
  }

 private:
  std::vector<Sample> left, right, outLeft, outRight;
};

template <class Sample>
void FirstBlocksOnFreshThreads() {
  allocation_counter::Reset();
  ClapHost host;
  ASSERT_EQ(host.Failure(), "");
  InputEvents events;
  Blocks<Sample> blocks;
  for (double rate : {44100.0, 96000.0}) {
    for (int program = 0; program < 16; program += 5) {
      ASSERT_TRUE(host.LoadProgram(program));
      ASSERT_TRUE(host.Start(rate, kBlock));
      events.Clear();
      events.AddValue(0, kNoiseType, program % 5);
      events.AddValue(17, kWow, 50.0);
      std::thread([&] {
        EXPECT_NE(blocks.Run(host, &events), clap::CLAP_PROCESS_ERROR);
        EXPECT_NE(blocks.Run(host, nullptr, true), clap::CLAP_PROCESS_ERROR);
      }).join();
      EXPECT_EQ(allocation_counter::Count(), 0) << "program " << program << " at " << rate;
    }
    host.Stop();
  }
}

}  // namespace

TEST(ClapAllocation, FirstBlocksOnFreshThreadsAllocateNothingInSinglePrecision) {
  FirstBlocksOnFreshThreads<float>();
}

TEST(ClapAllocation, FirstBlocksOnFreshThreadsAllocateNothingInDoublePrecision) {
  FirstBlocksOnFreshThreads<double>();
}

TEST(ClapAllocation, EventsInEveryBlockFlushesAndResetsAllocateNothing) {
  allocation_counter::Reset();
  ClapHost host;
  ASSERT_EQ(host.Failure(), "");
  ASSERT_TRUE(host.Start(48000.0, kBlock));
  InputEvents events;
  Blocks<float> blocks;
  std::thread audio([&] {
    for (int block = 0; block < 300; ++block) {
      events.Clear();
      for (uint32_t time = 0; time < kBlock; time += 40) {
        events.AddValue(time, kOutputGain, ((block * 7 + time) % 11) * 10.0);
      }
      if (block % 50 == 20) events.AddValue(0, kPower, block % 100 == 20 ? 1.0 : 0.0);
      if (block % 10 == 9) {
        allocation_counter::SetCounting(true);
        host.Flush(&events);
        allocation_counter::SetCounting(false);
      } else if (block % 61 == 60) {
        allocation_counter::SetCounting(true);
        host.Plugin()->reset(host.Plugin());
        allocation_counter::SetCounting(false);
      } else {
        blocks.Run(host, &events);
      }
    }
  });
  audio.join();
  EXPECT_EQ(allocation_counter::Count(), 0);
}
