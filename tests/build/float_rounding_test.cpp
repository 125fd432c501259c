// Guards the compiler flags: the DSP depends on single-precision rounding
// points surviving optimisation, and on no fast-math or FMA contraction.
#include <gtest/gtest.h>

#ifdef __FAST_MATH__
#error "fast-math must never be enabled: results would differ between machines"
#endif

// External linkage on purpose: with internal linkage GCC may specialise the
// call for its constant arguments, which hides the fault this test looks for.

// Two adjacent double -> float -> double round trips: GCC 12's SLP vectorizer
// turns this into a plain copy unless -fno-tree-slp-vectorize is given.
__attribute__((noinline)) void RoundPair(const double* in, double* out) {
  double left = in[0];
  double right = in[1];
  left = static_cast<float>(left);
  right = static_cast<float>(right);
  out[0] = left;
  out[1] = right;
}

__attribute__((noinline)) void RoundFour(const double* in, double* out) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<double>(static_cast<float>(in[i]));
}

// a * b + c must be two roundings, never a fused multiply-add.
__attribute__((noinline)) double MulAdd(double a, double b, double c) { return a * b + c; }

TEST(BuildFlags, AdjacentSinglePrecisionRoundingsSurvive) {
  const double in[2] = {0.1, 0.2};
  double out[2] = {};
  RoundPair(in, out);
  EXPECT_EQ(out[0], static_cast<double>(0.1f));
  EXPECT_EQ(out[1], static_cast<double>(0.2f));
  EXPECT_NE(out[0], 0.1);
}

TEST(BuildFlags, LoopOfRoundingsSurvives) {
  const double in[4] = {0.1, 0.2, 0.3, 1.0 / 3.0};
  double out[4] = {};
  RoundFour(in, out);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], static_cast<double>(static_cast<float>(in[i])));
}

TEST(BuildFlags, MultiplyAddIsNotFused) {
  // With a fused multiply-add, 0.1 * 10 - 1 yields the rounding error of 0.1
  // (about 5.55e-17); with separate roundings the product rounds to exactly 1.
  volatile double a = 0.1;
  volatile double b = 10.0;
  volatile double c = -1.0;
  EXPECT_EQ(MulAdd(a, b, c), 0.0);
}
