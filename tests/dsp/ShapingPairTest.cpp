#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "dsp/RandomGenerator.h"
#include "dsp/ShapingPair.h"
#include "dsp/TapeChannel.h"
#include "dsp/TubeStagePair.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TapeChannelSettings Loud(int32_t profile) {
  TapeChannelSettings s;
  s.profile = profile;
  s.noiseType = 2;
  s.noiseAmp = s.noiseDynamic = s.harmonics = s.tubeDrive = 1.0;
  s.wow = s.scratch = s.lfBoost = s.hfBoost = s.age = s.speed = 1.0;
  s.wide = 0.5;
  return s;
}

// A signal that drives the tube stage hard, crosses zero at odd moments and
// now and then sits at exactly zero.
double Drive(int n) {
  if (n % 97 == 0) return 0.0;
  return 1.7 * std::sin(0.013 * n) * std::sin(0.0021 * n + 0.4) + 0.2 * std::sin(0.7 * n);
}

// Both channels through their transports, then shaped either side by side
// in runs or one frame at a time; every output and the states carried from
// run to run must agree to the bit.
std::vector<double> ShapeBothWays(const TapeChannelSettings& s, bool paired) {
  RandomGenerator::ResetForThisThread();
  auto l = std::make_unique<TapeChannel>();
  auto r = std::make_unique<TapeChannel>();
  l->Init(0);
  r->Init(376);
  std::vector<double> out;
  constexpr int kRun = 32;
  for (int start = 0; start < 6000; start += kRun) {
    if (start % 512 == 0) {
      l->Configure(s, 48000.0);
      r->Configure(s, 48000.0);
    }
    TapeChannel::Tap tapsLeft[kRun], tapsRight[kRun];
    float tubeLeft[kRun], tubeRight[kRun];
    double yl[kRun], yr[kRun];
    for (int i = 0; i < kRun; ++i) {
      tapsLeft[i] = l->Transport(Drive(start + i), -1.0);
      tapsRight[i] = r->Transport(-0.8 * Drive(start + i + 5), l->ReadPosition());
      tubeLeft[i] = l->TubeLevel();
      tubeRight[i] = r->TubeLevel();
      if (!paired) {
        yl[i] = l->Shape(tapsLeft[i]);
        yr[i] = r->Shape(tapsRight[i]);
      }
    }
    if (paired) {
      EXPECT_TRUE(ShapingPair::Applies(*l, *r));
      ShapingPair::ShapeRun(*l, {tapsLeft, tubeLeft, yl}, *r, {tapsRight, tubeRight, yr}, kRun);
    }
    for (int i = 0; i < kRun; ++i) {
      out.push_back(yl[i]);
      out.push_back(yr[i]);
    }
  }
  return out;
}

}  // namespace

TEST(ShapingPair, SideBySideEqualsOneByOneInEveryProfile) {
  // Profiles A (clean bands), B and C (arctangent bands) and Off (no tone).
  for (int32_t profile : {0, 1, 2, 3}) {
    const std::vector<double> paired = ShapeBothWays(Loud(profile), true);
    const std::vector<double> single = ShapeBothWays(Loud(profile), false);
    ASSERT_EQ(paired.size(), single.size());
    for (size_t i = 0; i < paired.size(); ++i) {
      ASSERT_TRUE(SameBits(paired[i], single[i]))
          << "profile " << profile << " sample " << i << ": " << paired[i] << " vs " << single[i];
    }
  }
}

TEST(ShapingPair, OnlyChannelsConfiguredAlikeArePaired) {
  RandomGenerator::ResetForThisThread();
  auto l = std::make_unique<TapeChannel>();
  auto r = std::make_unique<TapeChannel>();
  l->Init(0);
  r->Init(376);
  l->Configure(Loud(1), 44100.0);
  r->Configure(Loud(1), 44100.0);
  EXPECT_TRUE(ShapingPair::Applies(*l, *r));
  TapeChannelSettings other = Loud(1);
  other.age = 0.3;  // other filter designs only: still a pair
  r->Configure(other, 44100.0);
  EXPECT_TRUE(ShapingPair::Applies(*l, *r));
  other.harmonics = 0.5;
  r->Configure(other, 44100.0);
  EXPECT_FALSE(ShapingPair::Applies(*l, *r));
  r->Configure(Loud(0), 44100.0);  // another profile and saturator mode
  EXPECT_FALSE(ShapingPair::Applies(*l, *r));
  r->Configure(Loud(1), 44100.0);
  r->SetBypass(true);
  EXPECT_FALSE(ShapingPair::Applies(*l, *r));
}

// Each half takes its own branches: the knee, the hard limit at zero drive,
// zero crossings, peaks learned at different moments, and NaN.
TEST(TubeStagePair, EachHalfEqualsItsOwnStage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TubeStage left, right, leftAlone, rightAlone;
  rightAlone.toggleCounter = right.toggleCounter = 1;  // peaks collected out of step
  TubeStagePair pair;
  for (int n = 0; n < 4000; ++n) {
    const double yl = n == 2500 ? nan : 3.0 * std::sin(0.05 * n) * std::sin(0.001 * n);
    const double yr = n % 7 == 0 ? 0.0 : 1.2 * std::sin(0.11 * n + 1.0);
    const double levelLeft = n < 1500 ? 0.0 : 0.7;  // zero drive: a hard limit
    const double levelRight = 0.5 + 0.5 * std::sin(0.003 * n);
    pair.Load(left, right);
    const DoublePair y = pair.Process(DoublePair{yl, yr}, DoublePair{levelLeft, levelRight});
    pair.Store(left, right);
    const double expectLeft = leftAlone.Process(yl, levelLeft);
    const double expectRight = rightAlone.Process(yr, levelRight);
    ASSERT_TRUE(SameBits(y[0], expectLeft) || (std::isnan(y[0]) && std::isnan(expectLeft))) << n;
    ASSERT_TRUE(SameBits(y[1], expectRight)) << n;
  }
  EXPECT_EQ(right.maxPeak, rightAlone.maxPeak);
  EXPECT_EQ(right.toggleCounter, rightAlone.toggleCounter);
}
