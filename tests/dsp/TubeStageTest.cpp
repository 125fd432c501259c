#include <gtest/gtest.h>

#include <cmath>

#include "dsp/TubeStage.h"

namespace {

// Alternating signs make every sample a zero crossing, so the normalisation
// learned so far is switched in at once; a first peak of 5 becomes the
// maximum, after which every smaller peak yields norm and reference 1.
TubeStage<double> WarmedUp() {
  TubeStage<double> t;
  for (double y : {5.0, -5.0, 0.1, -0.1, 0.1, -0.1, 0.1, -0.1}) t.Process(y, 0.0);
  return t;
}

}  // namespace

TEST(TubeStage, PassesEverythingUntilANormalisationIsLearned) {
  TubeStage<double> t;
  EXPECT_EQ(t.Process(3.0, 0.0), 3.0);
  EXPECT_EQ(t.Process(-4.0, 0.0), -4.0);
}

TEST(TubeStage, ZeroDriveIsAHardLimitAtUnity) {
  TubeStage<double> t = WarmedUp();
  ASSERT_EQ(t.activeNorm, 1.0);
  ASSERT_EQ(t.activeReference, 1.0);
  const double inputs[] = {2.0, -0.5, 1.5, -3.0, 0.25, -1.0, 4.9, -0.999};
  const double expected[] = {1.0, -0.5, 1.0, -1.0, 0.25, -1.0, 1.0, -0.999};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(t.Process(inputs[i], 0.0), expected[i]) << i;
}

TEST(TubeStage, DriveGivesASoftKneeThatPeaksHalfwayAboveIt) {
  TubeStage<double> t = WarmedUp();
  const double level = 0.5;
  const double knee = 1.0 - 0.99 * level;
  const double gain = 2.0 * level + 1.0;
  double loudest = 0.0;
  for (double y = 0.01; y < 2.4; y += 0.01) {
    t.Process(-0.001, level);  // keep every sample a zero crossing
    const double out = t.Process(y, level);
    if (y * gain <= knee) {
      EXPECT_EQ(out, y * gain / (level + 1.0)) << y;
    }
    loudest = std::max(loudest, out);
  }
  // k + R / (1 + (R / (1 - k))^2) is largest at R = 1 - k.
  EXPECT_NEAR(loudest, (1.0 + knee) / 2.0 / (level + 1.0), 1e-4);
}
