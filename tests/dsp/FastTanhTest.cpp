#include <gtest/gtest.h>

#include <cmath>

#include "dsp/FastTanh.h"

TEST(FastTanh, IsOddBoundedMonotonicAndCloseToTanh) {
  EXPECT_EQ(FastTanh(0.0), 0.0);
  double previous = -1.0;
  for (double x = -20.0; x <= 20.0; x += 0.01) {
    const double y = FastTanh(x);
    EXPECT_EQ(FastTanh(-x), -y);
    EXPECT_LT(std::fabs(y), 1.0);
    EXPECT_GE(y, previous);
    EXPECT_NEAR(y, std::tanh(x), 0.03) << x;
    previous = y;
  }
}

TEST(FastTanh, HasUnitSlopeAtTheOrigin) {
  const double x = 1e-6;
  EXPECT_NEAR(FastTanh(x) / x, 1.0, 1e-5);
}
