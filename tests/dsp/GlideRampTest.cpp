#include <gtest/gtest.h>

#include <vector>

#include "dsp/GlideRamp.h"

TEST(GlideRamp, IsIdleUntilStartedAndStepChangesNothing) {
  GlideRamp ramp;
  EXPECT_LT(ramp.duration, 0.0);
  EXPECT_FALSE(ramp.IsRunning());
  ramp.Step(1.0);
  EXPECT_EQ(ramp.value, 0.0);
  EXPECT_EQ(ramp.elapsed, 0.0);
}

TEST(GlideRamp, LinearRampStepsEvenlyThenIdles) {
  GlideRamp ramp;
  ramp.Start(0.0, 1.0, 4.0, 0.0);
  std::vector<double> values;
  for (int i = 0; i < 5; ++i) {
    ramp.Step(1.0);
    values.push_back(ramp.value);
  }
  EXPECT_EQ(values, (std::vector<double>{0.25, 0.5, 0.75, 1.0, 1.0}));
  EXPECT_LT(ramp.duration, 0.0);
  ramp.Step(1.0);
  EXPECT_EQ(ramp.value, 1.0);
}

TEST(GlideRamp, FallingRampReachesItsTarget) {
  GlideRamp ramp;
  ramp.Start(3.0, -1.0, 8.0, 2.0);
  double previous = 3.0;
  for (int i = 0; i < 8; ++i) {
    ramp.Step(1.0);
    EXPECT_LT(ramp.value, previous);
    previous = ramp.value;
  }
  EXPECT_NEAR(ramp.value, -1.0, 1e-12);
  ramp.Step(1.0);
  EXPECT_EQ(ramp.value, -1.0);
}

TEST(GlideRamp, AccelerationTimeIsCutToHalfTheDuration) {
  GlideRamp ramp;
  ramp.Start(0.0, 1.0, 10.0, 8.0);
  EXPECT_EQ(ramp.accelTime, 5.0);
  std::vector<double> speeds;
  double previous = 0.0;
  for (int i = 0; i < 10; ++i) {
    ramp.Step(1.0);
    speeds.push_back(ramp.value - previous);
    previous = ramp.value;
  }
  // Speeding up through the first half, slowing down through the second.
  for (int i = 1; i < 5; ++i) EXPECT_GT(speeds[i], speeds[i - 1]) << i;
  for (int i = 6; i < 10; ++i) EXPECT_LT(speeds[i], speeds[i - 1]) << i;
  EXPECT_NEAR(speeds[4], speeds[5], 1e-12);
  EXPECT_NEAR(previous, 1.0, 1e-12);
}

TEST(GlideRamp, SCurveIsContinuousAndMeetsTheTarget) {
  GlideRamp ramp;
  ramp.Start(2.0, 6.0, 100.0, 20.0);
  double previous = 2.0;
  double largestStep = 0.0;
  for (int i = 0; i < 100; ++i) {
    ramp.Step(1.0);
    EXPECT_GE(ramp.value, previous);
    largestStep = std::max(largestStep, ramp.value - previous);
    previous = ramp.value;
  }
  EXPECT_NEAR(ramp.value, 6.0, 1e-12);
  // Cruise speed is distance / (duration - accelTime) = 0.05 per step.
  EXPECT_NEAR(largestStep, 0.05, 1e-12);
}

TEST(GlideRamp, EqualEndsHoldAConstantValue) {
  GlideRamp ramp;
  ramp.Start(0.4, 0.4, 10.0, 3.0);
  for (int i = 0; i < 12; ++i) {
    ramp.Step(1.0);
    EXPECT_EQ(ramp.value, 0.4);
  }
}

TEST(GlideRamp, ZeroDurationJumpsAtOnceAndIdlesOnTheNextStep) {
  GlideRamp ramp;
  ramp.Start(0.0, 2.0, 0.0, 0.0);
  EXPECT_EQ(ramp.value, 2.0);
  EXPECT_FALSE(ramp.IsRunning());
  ramp.Step(1.0);
  EXPECT_EQ(ramp.value, 2.0);
  EXPECT_LT(ramp.duration, 0.0);
}
