#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "dsp/ModDelay.h"

namespace {

using Line = ModDelay<double>;

// Each line holds a second of audio inline, too much for a test's stack.
std::unique_ptr<Line> MakeDelay() { return std::make_unique<Line>(); }

// The level the lines are run at unless a test says otherwise.
constexpr double kGain = 0.5;

}  // namespace

TEST(ModDelay, ConstantInputArrivesAfterTheDelayWithOneInterpolatedSample) {
  auto line = MakeDelay();
  int firstNonZero = -1;
  for (int n = 0; n < 1000; ++n) {
    const double y = line->Process(1.0, kGain);
    if (firstNonZero < 0) {
      if (y == 0.0) continue;
      firstNonZero = n;
      EXPECT_GT(y, 0.0);
      EXPECT_LT(y, 0.5);
    } else {
      EXPECT_EQ(y, 0.5) << n;
    }
  }
  // Output 220 already straddles the first written sample: the LFO has begun
  // to lengthen the delay, so the read point sits a fraction before it.
  EXPECT_EQ(firstNonZero, 220);
}

TEST(ModDelay, ZeroDepthGivesAPlainDelayOfDelaySamples) {
  auto line = MakeDelay();
  line->lfoDepth = 0.0;
  line->delay = 100.0;
  for (int n = 0; n < 400; ++n) {
    const double y = line->Process(n == 0 ? 1.0 : 0.0, 1.0);
    EXPECT_EQ(y, n == 100 ? 1.0 : 0.0) << n;
    EXPECT_EQ(line->lfo, 1.0);
  }
}

TEST(ModDelay, LevelDipsToHalfAtTheMiddleOfAGlide) {
  auto line = MakeDelay();
  line->delayRamp[0].Start(220.0, 440.0, 1000.0, 0.0);
  for (int n = 0; n < 1200; ++n) line->Process(1.0, kGain);
  // Sample n is written after n steps of the ramp.
  EXPECT_EQ(line->buffer[0][0], 1.0);
  EXPECT_EQ(line->buffer[0][500], 0.5);
  EXPECT_NEAR(line->buffer[0][250], 0.75, 1e-12);
  EXPECT_NEAR(line->buffer[0][999], 0.999, 1e-12);
  EXPECT_EQ(line->buffer[0][1000], 1.0);
  EXPECT_EQ(line->buffer[0][1100], 1.0);
  EXPECT_EQ(line->delay, 440.0);
  EXPECT_FALSE(line->delayRamp[0].IsRunning());
}

TEST(ModDelay, IdleRampLeavesTheDelayAlone) {
  auto line = MakeDelay();
  line->delay = 300.0;
  for (int n = 0; n < 5000; ++n) line->Process(0.0, kGain);
  EXPECT_EQ(line->delay, 300.0);
  EXPECT_GT(line->lfo, 1.0);
}

TEST(ModDelay, LfoSweepsBetweenItsLimits) {
  auto line = MakeDelay();
  line->lfoRate = 0.01;
  double low = 2.0, high = 0.0;
  for (int n = 0; n < 1000; ++n) {
    line->Process(0.0, kGain);
    low = std::min(low, line->lfo);
    high = std::max(high, line->lfo);
  }
  EXPECT_EQ(low, 0.75);
  EXPECT_EQ(high, 1.25);
}

TEST(ModDelay, LongDelaysStayInsideTheBufferAtFullLfoSwing) {
  auto line = MakeDelay();
  line->lfoRate = 0.01;
  line->delay = 44000.0;
  for (int n = 0; n < 2000; ++n) {
    line->Process(1.0, kGain);
    ASSERT_GE(line->readPosition, 0.0);
    ASSERT_LT(line->readPosition, Line::kLength);
  }
  EXPECT_EQ(line->delay, 44100.0 / 1.25);
  // The owner lowers the depth while the LFO stands at its top.
  while (line->lfo < 1.25) line->Process(0.0, kGain);
  line->lfoDepth = 0.0;
  line->delay = 44100.0;
  line->Process(0.0, kGain);
  EXPECT_GE(line->readPosition, 0.0);
  EXPECT_LT(line->readPosition, Line::kLength);
  for (int n = 0; n < 10; ++n) line->Process(0.0, kGain);
}

// Two lines side by side that differ in everything a lane carries: delay and
// glide, LFO speed and depth (so they turn at different samples), feedback.
// Run by run, as the engine uses them, each lane must give and keep exactly
// what its own one-lane line does.
TEST(ModDelay, EachLaneOfAPairEqualsItsOwnLine) {
  auto pair = std::make_unique<ModDelay<DoublePair>>();
  auto first = MakeDelay();
  auto second = MakeDelay();
  constexpr int kRun = 32;
  for (int block = 0; block < 40; ++block) {
    const double depth = 0.1 + 0.05 * (block % 3);
    first->SetLfo(0.002, 0.25);
    second->SetLfo(0.0031, depth);
    pair->lfoRate = DoublePair{0.002, 0.0031};
    pair->lfoDepth = DoublePair{0.25, depth};
    first->feedback = 0.3;
    second->feedback = -0.45;
    pair->feedback = DoublePair{0.3, -0.45};
    if (block == 2) {
      first->delayRamp[0].Start(first->delayRamp[0].value, 900.0, 700.0, 0.0);
      pair->delayRamp[0].Start(pair->delayRamp[0].value, 900.0, 700.0, 0.0);
    }
    if (block == 5) {  // past the longest delay
      second->delayRamp[0].Start(second->delayRamp[0].value, 40000.0, 300.0, 50.0);
      pair->delayRamp[1].Start(pair->delayRamp[1].value, 40000.0, 300.0, 50.0);
    }
    DoublePair x[kRun], gains[kRun], y[kRun];
    for (int i = 0; i < kRun; ++i) {
      const int n = block * kRun + i;
      x[i] = DoublePair{std::sin(0.05 * n), 0.5 * std::cos(0.021 * n)};
      gains[i] = DoublePair{0.5 + 0.001 * i, 0.8};
    }
    pair->Run(x, gains, y, kRun);
    for (int i = 0; i < kRun; ++i) {
      const double a = first->Process(x[i][0], gains[i][0]);
      const double b = second->Process(x[i][1], gains[i][1]);
      ASSERT_EQ(std::memcmp(&a, &y[i][0], sizeof a), 0) << block << " " << i;
      ASSERT_EQ(std::memcmp(&b, &y[i][1], sizeof b), 0) << block << " " << i;
    }
    int lane = 0;
    for (const Line* line : {first.get(), second.get()}) {
      ASSERT_EQ(line->readPosition, pair->readPosition[lane]) << block;
      ASSERT_EQ(line->delay, pair->delay[lane]) << block;
      ASSERT_EQ(line->lfo, pair->lfo[lane]) << block;
      ASSERT_EQ(line->lfoDirection, pair->lfoDirection[lane]) << block;
      ASSERT_EQ(line->writeIndex, pair->writeIndex) << block;
      ++lane;
    }
  }
}
