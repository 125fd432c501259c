#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/Maths.h"
#include "dsp/TransportSines.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

template <class Sines>
class TransportSinesTest : public ::testing::Test {};

using SineForms =
    ::testing::Types<TransportSines<double>, FreshTransportSines<double, LiteralMaths>>;
TYPED_TEST_SUITE(TransportSinesTest, SineForms);

// The same form over a pair of lanes.
template <class Sines>
struct PairOf;
template <>
struct PairOf<TransportSines<double>> {
  using Type = TransportSines<DoublePair>;
};
template <>
struct PairOf<FreshTransportSines<double, LiteralMaths>> {
  using Type = FreshTransportSines<DoublePair, LiteralMaths>;
};

}  // namespace

// Both channels side by side give each channel's own results, bit for bit,
// in runs of the engine's length and in longer runs that re-anchor, at a
// rate where the steps need the full sine, and at a different rate in each
// channel.
TYPED_TEST(TransportSinesTest, EachLaneOfAPairEqualsItsOwnChannel) {
  for (auto [rateA, rateB] : {std::pair{48000.0, 48000.0}, {2000.0, 44100.0}}) {
    for (int run : {32, 1500}) {
      TypeParam soloA, soloB;
      typename PairOf<TypeParam>::Type pair;
      soloA.SetTime(0.0);
      soloB.SetTime(376.0);
      pair.SetTime(DoublePair{0.0, 376.0});
      std::vector<double> wowA(run), flutterA(run), wowB(run), flutterB(run);
      std::vector<DoublePair> wow(run), flutter(run);
      for (int block = 0; block < 4; ++block) {
        soloA.Run(rateA, run, wowA.data(), flutterA.data());
        soloB.Run(rateB, run, wowB.data(), flutterB.data());
        pair.Run(DoublePair{rateA, rateB}, run, wow.data(), flutter.data());
        for (int i = 0; i < run; ++i) {
          ASSERT_TRUE(SameBits(wow[i][0], wowA[i])) << block << " " << i;
          ASSERT_TRUE(SameBits(flutter[i][0], flutterA[i])) << block << " " << i;
          ASSERT_TRUE(SameBits(wow[i][1], wowB[i])) << block << " " << i;
          ASSERT_TRUE(SameBits(flutter[i][1], flutterB[i])) << block << " " << i;
        }
      }
      EXPECT_EQ(pair.Time()[0], soloA.Time());
      EXPECT_EQ(pair.Time()[1], soloB.Time());
    }
  }
}

// The rotated sines stay within a few ulps of the sines worked out afresh.
TEST(TransportSines, RotatedSinesFollowTheFreshOnes) {
  TransportSines<double> rotated;
  FreshTransportSines<double, LiteralMaths> fresh;
  constexpr int kRun = 32;
  double wowR[kRun], flutterR[kRun], wowF[kRun], flutterF[kRun];
  double largest = 0.0;
  for (int block = 0; block < 3000; ++block) {
    rotated.Run(48000.0, kRun, wowR, flutterR);
    fresh.Run(48000.0, kRun, wowF, flutterF);
    for (int i = 0; i < kRun; ++i) {
      largest = std::max({largest, std::fabs(wowR[i] - wowF[i]), std::fabs(flutterR[i] - flutterF[i])});
    }
  }
  EXPECT_LT(largest, 1e-14);
}

// A lane whose time is lost starts again from 0; the other carries on.
TEST(TransportSines, OnlyTheLaneThatIsNoLongerFiniteStartsAgain) {
  TransportSines<DoublePair> sines;
  sines.SetTime(DoublePair{std::numeric_limits<double>::infinity(), 5.0});
  EXPECT_FALSE(sines.IsFinite());
  sines.ClearNonFinite();
  EXPECT_TRUE(sines.IsFinite());
  EXPECT_EQ(sines.Time()[0], 0.0);
  EXPECT_EQ(sines.Time()[1], 5.0);
}
