#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "dsp/ModDelay.h"
#include "dsp/ModDelayPair.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Lines {
  std::unique_ptr<ModDelay> first = std::make_unique<ModDelay>();
  std::unique_ptr<ModDelay> second = std::make_unique<ModDelay>();
};

// Two lines that differ in everything the pair carries per half: delay and
// glide, LFO speed and depth (so they turn at different samples), feedback.
void Configure(Lines& lines, int block) {
  ModDelay& a = *lines.first;
  ModDelay& b = *lines.second;
  a.lfoRate = 0.002;
  a.lfoDepth = 0.25;
  b.lfoRate = 0.0031;
  b.lfoDepth = 0.1 + 0.05 * (block % 3);
  a.feedback = 0.3;
  b.feedback = -0.45;
  if (block == 2) a.delayRamp.Start(a.delayRamp.value, 900.0, 700.0, 0.0);
  if (block == 5) b.delayRamp.Start(b.delayRamp.value, 40000.0, 300.0, 50.0);  // past the longest
}

}  // namespace

// Run by run, as the engine uses it, the pair must leave each line and give
// each output exactly as the line's own Process does.
TEST(ModDelayPair, EachHalfEqualsItsOwnLine) {
  Lines single, paired;
  constexpr int kRun = 32;
  for (int block = 0; block < 40; ++block) {
    Configure(single, block);
    Configure(paired, block);
    DoublePair x[kRun], gains[kRun], y[kRun];
    for (int i = 0; i < kRun; ++i) {
      const int n = block * kRun + i;
      x[i] = DoublePair{std::sin(0.05 * n), 0.5 * std::cos(0.021 * n)};
      gains[i] = DoublePair{0.5 + 0.001 * i, 0.8};
    }
    ModDelayPair(*paired.first, *paired.second).Run(x, gains, y, kRun);
    for (int i = 0; i < kRun; ++i) {
      single.first->gain = gains[i][0];
      single.second->gain = gains[i][1];
      ASSERT_TRUE(SameBits(y[i][0], single.first->Process(x[i][0]))) << block << " " << i;
      ASSERT_TRUE(SameBits(y[i][1], single.second->Process(x[i][1]))) << block << " " << i;
    }
    for (auto [p, s] : {std::pair{paired.first.get(), single.first.get()},
                        std::pair{paired.second.get(), single.second.get()}}) {
      ASSERT_EQ(p->readPosition, s->readPosition) << block;
      ASSERT_EQ(p->delay, s->delay) << block;
      ASSERT_EQ(p->lfo, s->lfo) << block;
      ASSERT_EQ(p->lfoDirection, s->lfoDirection) << block;
      ASSERT_EQ(p->writeIndex, s->writeIndex) << block;
    }
  }
}
