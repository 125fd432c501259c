#include <gtest/gtest.h>

#include <memory>

#include "dsp/ModDelay.h"

namespace {

// Each line holds a second of audio inline, too much for a test's stack.
std::unique_ptr<ModDelay> MakeDelay() { return std::make_unique<ModDelay>(); }

}  // namespace

TEST(ModDelay, ConstantInputArrivesAfterTheDelayWithOneInterpolatedSample) {
  auto line = MakeDelay();
  int firstNonZero = -1;
  for (int n = 0; n < 1000; ++n) {
    const double y = line->Process(1.0);
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
  line->gain = 1.0;
  for (int n = 0; n < 400; ++n) {
    const double y = line->Process(n == 0 ? 1.0 : 0.0);
    EXPECT_EQ(y, n == 100 ? 1.0 : 0.0) << n;
    EXPECT_EQ(line->lfo, 1.0);
  }
}

TEST(ModDelay, LevelDipsToHalfAtTheMiddleOfAGlide) {
  auto line = MakeDelay();
  line->delayRamp.Start(220.0, 440.0, 1000.0, 0.0);
  for (int n = 0; n < 1200; ++n) line->Process(1.0);
  // Sample n is written after n steps of the ramp.
  EXPECT_EQ(line->buffer[0], 1.0);
  EXPECT_EQ(line->buffer[500], 0.5);
  EXPECT_NEAR(line->buffer[250], 0.75, 1e-12);
  EXPECT_NEAR(line->buffer[999], 0.999, 1e-12);
  EXPECT_EQ(line->buffer[1000], 1.0);
  EXPECT_EQ(line->buffer[1100], 1.0);
  EXPECT_EQ(line->delay, 440.0);
  EXPECT_FALSE(line->delayRamp.IsRunning());
}

TEST(ModDelay, IdleRampLeavesTheDelayAlone) {
  auto line = MakeDelay();
  line->delay = 300.0;
  for (int n = 0; n < 5000; ++n) line->Process(0.0);
  EXPECT_EQ(line->delay, 300.0);
  EXPECT_GT(line->lfo, 1.0);
}

TEST(ModDelay, LfoSweepsBetweenItsLimits) {
  auto line = MakeDelay();
  line->lfoRate = 0.01;
  double low = 2.0, high = 0.0;
  for (int n = 0; n < 1000; ++n) {
    line->Process(0.0);
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
    line->Process(1.0);
    ASSERT_GE(line->readPosition, 0.0);
    ASSERT_LT(line->readPosition, line->length);
  }
  EXPECT_EQ(line->delay, 44100.0 / 1.25);
  // The owner lowers the depth while the LFO stands at its top.
  while (line->lfo < 1.25) line->Process(0.0);
  line->lfoDepth = 0.0;
  line->delay = 44100.0;
  line->Process(0.0);
  EXPECT_GE(line->readPosition, 0.0);
  EXPECT_LT(line->readPosition, line->length);
  for (int n = 0; n < 10; ++n) line->Process(0.0);
}
