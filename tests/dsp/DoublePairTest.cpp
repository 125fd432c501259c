// The pair type's operations that have a vector-instruction form and a
// portable form: the two must give the same bits, and each half what the
// same operation gives on one value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/DoublePair.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<double> Values() {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0, -0.0, 1.0, -1.0, inf, -inf, std::nan(""), 3e38, 4e38, -4e38,
                                1e-40, -1e-45, 5e-324,
                                // Halfway between two floats, and just beside it.
                                1.0 + 0x1p-24, 1.0 + 0x1p-24 + 0x1p-52, 1.0 + 3 * 0x1p-24};
  for (int i = 0; i < 20000; ++i) {
    const double t = std::fmod(i * 0.6180339887498949, 1.0);
    values.push_back((t - 0.5) * std::exp2(i % 60 - 30));
  }
  return values;
}

}  // namespace

TEST(DoublePair, ConversionsAreEachHalfsCastInBothForms) {
  const std::vector<double> values = Values();
  for (size_t i = 0; i < values.size(); ++i) {
    const DoublePair x{values[i], values[(i * 7919) % values.size()]};
    const FloatPair fast = ToFloats(x);
    const FloatPair portable = PortableToFloats(x);
    for (int h = 0; h < 2; ++h) {
      ASSERT_TRUE(SameBits(fast[h], static_cast<float>(x[h]))) << x[h];
      ASSERT_TRUE(SameBits(portable[h], fast[h])) << x[h];
    }
    const DoublePair back = ToDoubles(fast);
    const DoublePair portableBack = PortableToDoubles(fast);
    for (int h = 0; h < 2; ++h) {
      ASSERT_TRUE(SameBits(back[h], static_cast<double>(fast[h]))) << x[h];
      ASSERT_TRUE(SameBits(portableBack[h], back[h])) << x[h];
    }
  }
}

TEST(DoublePair, BothWithinHoldsOnlyWhenEachHalfIsInsideInBothForms) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  const double limit = 2.0;
  const double cases[][2] = {{0.0, 0.0},  {2.0, -2.0},  {2.0000000000000004, 0.0},
                             {0.0, -3.0}, {nan, 0.0},   {0.0, nan},
                             {inf, 1.0},  {-0.0, -inf}, {-1.5, 1.999}};
  for (const auto& c : cases) {
    const DoublePair x{c[0], c[1]};
    const bool expected = std::fabs(c[0]) <= limit && std::fabs(c[1]) <= limit;
    EXPECT_EQ(BothWithin(x, limit), expected) << c[0] << " " << c[1];
    EXPECT_EQ(PortableBothWithin(x, limit), expected) << c[0] << " " << c[1];
  }
}

// Each lane is its own channel's arithmetic: a multiply and an add on a pair
// round twice, as on one value, never once as a fused multiply-add would
// (which aarch64 compilers make unless contraction is off). The inputs are
// chosen so the two differ: (1 + e)(1 - e) - 1 is exactly -e^2 when fused and
// 0 when the product is rounded first.
TEST(DoublePair, MultiplyThenAddRoundsEachStepInEachLane) {
  volatile double unknownToTheCompiler = 0x1p-30;  // computed at run time, not folded
  const double e = unknownToTheCompiler;
  const DoublePair a{1.0 + e, 1.0 - e}, b{1.0 - e, 1.0 + e}, c{-1.0, -1.0};
  const DoublePair sum = a * b + c;
  for (int h = 0; h < 2; ++h) {
    volatile double product = a[h] * b[h];  // rounded on its own, whatever the flags
    EXPECT_TRUE(SameBits(sum[h], product + c[h])) << sum[h];
    EXPECT_EQ(sum[h], 0.0);
  }
  const DoublePair swapped = b * a + c;
  EXPECT_TRUE(SameBits(swapped[0], sum[0]) && SameBits(swapped[1], sum[1]));
}
