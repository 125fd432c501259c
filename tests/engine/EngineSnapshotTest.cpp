#include <gtest/gtest.h>

#include <cmath>

#include "engine/EngineSnapshot.h"

TEST(EngineSnapshot, InitialFill) {
  const EngineSnapshot& s = kInitialSnapshot;
  EXPECT_EQ(s.profile, 0);
  EXPECT_EQ(s.noiseType, 0);
  for (double v : {s.noiseAmp, s.noiseDynamic, s.harmonics, s.tubeDrive, s.wow, s.scratch}) {
    EXPECT_EQ(v, 0.25);
  }
  for (double v : {s.lfBoost, s.hfBoost, s.age}) EXPECT_EQ(v, 0.1);
  EXPECT_EQ(s.wide, 0.5);
  EXPECT_EQ(s.speed, 1.0);
  EXPECT_EQ(s.quadMix, 0.0);
  EXPECT_EQ(s.quadDelay, 0.5);
  EXPECT_EQ(s.inputGain, 0.5);
  EXPECT_EQ(s.outputGain, 0.5);
}

TEST(EngineSnapshot, EqualityIsFieldByField) {
  EngineSnapshot a = kInitialSnapshot;
  EngineSnapshot b = kInitialSnapshot;
  EXPECT_TRUE(SnapshotsEqual(a, b));
  b.outputGain = 0.5000001;
  EXPECT_FALSE(SnapshotsEqual(a, b));
  b = a;
  b.noiseType = 3;
  EXPECT_FALSE(SnapshotsEqual(a, b));
  b = a;
  a.wow = b.wow = std::nan("");
  EXPECT_FALSE(SnapshotsEqual(a, b)) << "a NaN counts as a difference";
  a = b = kInitialSnapshot;
  a.age = 0.0;
  b.age = -0.0;
  EXPECT_TRUE(SnapshotsEqual(a, b));
}
