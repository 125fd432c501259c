#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "dsp/IeeeMaths.h"

namespace {

// Distance in representable doubles; the C library's results are within
// about one ulp of the true value, so three from them is at most four from it.
int64_t UlpDistance(double a, double b) {
  int64_t x, y;
  std::memcpy(&x, &a, 8);
  std::memcpy(&y, &b, 8);
  if (x < 0) x = std::numeric_limits<int64_t>::min() - x;
  if (y < 0) y = std::numeric_limits<int64_t>::min() - y;
  return x > y ? x - y : y - x;
}

// Largest distance over an even sweep of [lo, hi] with an irrational step.
int64_t WorstUlps(const std::function<double(double)>& own,
                  const std::function<double(double)>& reference, double lo, double hi) {
  int64_t worst = 0;
  constexpr int kPoints = 200000;
  for (int i = 0; i <= kPoints; ++i) {
    const double x = lo + (hi - lo) * std::fmod(i * 0.6180339887498949, 1.0);
    worst = std::max(worst, UlpDistance(own(x), reference(x)));
  }
  return worst;
}

double LibSin(double x) { return std::sin(x); }

}  // namespace

TEST(IeeeMaths, AgreesWithTheCLibraryOverTheArgumentsTheProcessingUses) {
  using namespace ieee_maths;
  EXPECT_LE(WorstUlps(Sin, LibSin, -7.0, 7.0), 2);  // sweep phases
  EXPECT_LE(WorstUlps(Sin, LibSin, 0.0, 2e4), 2);   // an hour of transport
  EXPECT_LE(WorstUlps(Sin, LibSin, 1e6, 2e8), 2);   // weeks of transport
  EXPECT_LE(WorstUlps(
                Cos, [](double x) { return std::cos(x); }, -7.0, 7.0),
            2);
  EXPECT_LE(WorstUlps(
                Tan, [](double x) { return std::tan(x); }, 1e-6, 1.4138),
            3);
  const auto atan = [](double x) { return Atan(x); };
  EXPECT_LE(WorstUlps(
                atan, [](double x) { return std::atan(x); }, -4.0, 4.0),
            2);
  EXPECT_LE(WorstUlps(
                atan, [](double x) { return std::atan(x); }, -1e6, 1e6),
            2);
  EXPECT_LE(WorstUlps(
                Exp, [](double x) { return std::exp(x); }, -3.0, 3.0),
            1);  // gains
  EXPECT_LE(WorstUlps(
                Exp, [](double x) { return std::exp(x); }, -709.0, 709.0),
            3);
  EXPECT_LE(WorstUlps(
                Pow10, [](double y) { return std::pow(10.0, y); }, -300.0, 300.0),
            3);
}

// Small angles take the tangent's own series, which must nearly always be
// the correctly rounded value: the brown noise's shaping filter is designed
// from one, and a last-bit difference there is summed into the noise.
TEST(IeeeMaths, TangentsOfSmallAnglesAreCorrectlyRounded) {
  constexpr int kPoints = 200000;
  int differing = 0;
  for (int i = 0; i < kPoints; ++i) {
    const double x = 0x1p-5 * std::fmod(i * 0.6180339887498949, 1.0);
    const long double precise = std::tan(static_cast<long double>(x));
    const double own = ieee_maths::Tan(x);
    // Within half an ulp of the long double value, up to its own rounding
    // and the little the series can lack: 0.5006 ulp at x = 0.030839862311950128,
    // which aarch64's quad-precision long double shows and x86's 80-bit one hides.
    const long double halfUlp = (std::nextafter(own, 1.0) - own) * 0.5L;
    ASSERT_LE(std::fabs(static_cast<long double>(own) - precise), halfUlp * 1.002L) << x;
    differing += own != std::tan(x);
  }
  EXPECT_LE(differing, kPoints / 1000);
  EXPECT_EQ(ieee_maths::Tan(0.0), 0.0);
  EXPECT_EQ(ieee_maths::Tan(-0x1p-6), -ieee_maths::Tan(0x1p-6));
}

TEST(IeeeMaths, SingleValuesAndTheEdges) {
  using namespace ieee_maths;
  EXPECT_EQ(Sin(0.0), 0.0);
  EXPECT_EQ(Exp(0.0), 1.0);
  EXPECT_EQ(Pow10(0.0), 1.0);
  EXPECT_EQ(Pow10(2.0), 100.0);
  EXPECT_EQ(Atan(std::numeric_limits<double>::infinity()), 0x1.921fb54442d18p+0);
  EXPECT_EQ(Exp(710.0), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Exp(-746.0), 0.0);
  EXPECT_GT(Exp(-740.0), 0.0);  // subnormal results are reached, not cut short
  EXPECT_TRUE(std::isnan(Sin(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(Atan(std::nan(""))));
  // Far beyond any session the result is still a sine.
  for (double x : {1e10, -3e15, 1e300}) EXPECT_LE(std::fabs(Sin(x)), 1.0) << x;
  // The tape's harmonic weights, rounded to float, are the C library's.
  for (float y : {-2.1f, -3.4f, -4.2f})
    EXPECT_EQ(static_cast<float>(Pow10(y)), std::pow(10.0f, y)) << y;
}

// The side-by-side form must give each half exactly what the single one
// gives, in every range and at the range edges, whatever the other half is.
TEST(IeeeMaths, AtanOfAPairEqualsAtanOfEachHalf) {
  using namespace ieee_maths;
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> xs = {0.0,
                            -0.0,
                            0x1p-5,
                            std::nextafter(0x1p-5, 0.0),
                            0x1p5,
                            std::nextafter(0x1p5, 0.0),
                            1e-300,
                            1e300,
                            inf,
                            -inf,
                            std::nan(""),
                            1.0,
                            -0.7853981633974483};
  for (int i = 0; i < 20000; ++i) {
    const double t = std::fmod(i * 0.6180339887498949, 1.0);
    xs.push_back((t - 0.5) * std::exp2(i % 24 - 12));
  }
  const auto same = [](double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
  };
  for (size_t i = 0; i < xs.size(); ++i) {
    const double other = xs[(i * 7919) % xs.size()];
    const DoublePair pair = Atan(DoublePair{xs[i], other});
    ASSERT_TRUE(same(pair[0], Atan(xs[i]))) << xs[i];
    ASSERT_TRUE(same(pair[1], Atan(other))) << other;
  }
}
