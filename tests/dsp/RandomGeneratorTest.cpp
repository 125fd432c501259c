#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "dsp/RandomGenerator.h"

namespace {

std::vector<int> Draw(int count) {
  std::vector<int> values;
  for (int i = 0; i < count; ++i) values.push_back(RandomGenerator::Next());
  return values;
}

}  // namespace

// The classic C library generator started from 1 begins 41, 18467, 6334, 26500.
TEST(RandomGenerator, ReproducesTheClassicSequenceFromStateOne) {
  RandomGenerator::ResetForThisThread();
  EXPECT_EQ(Draw(4), (std::vector<int>{41, 18467, 6334, 26500}));
}

TEST(RandomGenerator, ResetRestartsTheSequenceAndValuesStayInRange) {
  RandomGenerator::ResetForThisThread();
  const std::vector<int> first = Draw(100000);
  RandomGenerator::ResetForThisThread();
  EXPECT_EQ(Draw(100000), first);
  int low = RandomGenerator::kMax, high = 0;
  for (int v : first) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, RandomGenerator::kMax);
}

TEST(RandomGenerator, EachThreadHasItsOwnState) {
  RandomGenerator::ResetForThisThread();
  Draw(7);
  std::vector<int> otherThread;
  std::thread worker([&] { otherThread = Draw(4); });
  worker.join();
  EXPECT_EQ(otherThread, (std::vector<int>{41, 18467, 6334, 26500}));
  // This thread's state was not disturbed by the other thread's draws.
  const std::vector<int> next = Draw(1);
  RandomGenerator::ResetForThisThread();
  EXPECT_EQ(Draw(8).back(), next[0]);
}
