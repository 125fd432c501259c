#include <gtest/gtest.h>

#include <cmath>

#include "dsp/Maths.h"
#include "dsp/OnePoleSmoother.h"

TEST(OnePoleSmoother, CoefficientIsFiftyMillisecondsAt44k1) {
  const OnePoleSmoother<ProductMaths> s;
  EXPECT_NEAR(s.a, 0.9971545f, 1e-7f);
  EXPECT_EQ(s.b, 1.0f - s.a);
  EXPECT_EQ(s.z, 0.0f);
}

TEST(OnePoleSmoother, RisesByOneTimeConstantInAbout351Steps) {
  OnePoleSmoother<ProductMaths> s;
  for (int i = 0; i < 351; ++i) s.Step(1.0);
  EXPECT_NEAR(s.Value(), 1.0 - std::exp(-1.0), 0.002);
  // Single precision stalls a little short of the target.
  for (int i = 0; i < 20000; ++i) s.Step(1.0);
  EXPECT_NEAR(s.Value(), 1.0f, 2e-5f);
}

TEST(OnePoleSmoother, RoundsTheTargetToSinglePrecisionFirst) {
  // Find a target where rounding it first changes the result, so the test has teeth.
  const OnePoleSmoother<ProductMaths> reference;
  double target = 0.0;
  for (int i = 1; i < 1000 && target == 0.0; ++i) {
    const double candidate = 0.1 + i * 1e-9;
    if (reference.b * static_cast<float>(candidate) != static_cast<float>(reference.b * candidate))
      target = candidate;
  }
  ASSERT_NE(target, 0.0);
  OnePoleSmoother<ProductMaths> s;
  EXPECT_EQ(s.Step(target), s.b * static_cast<float>(target));
}
