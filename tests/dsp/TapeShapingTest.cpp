#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "dsp/Maths.h"
#include "dsp/RandomGenerator.h"
#include "dsp/TapeChannel.h"
#include "dsp/TapeShaping.h"
#include "dsp/TransportSines.h"
#include "dsp/TubeStage.h"

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

// Both channels through their transports, then shaped side by side in runs,
// or each by its own one-channel stage frame by frame; every output and the
// states carried from run to run must agree to the bit.
std::vector<double> ShapeBothWays(const TapeChannelSettings& s, bool paired, bool bypass) {
  RandomGenerator::ResetForThisThread();
  auto l = std::make_unique<TapeChannel<ProductMaths>>();
  auto r = std::make_unique<TapeChannel<ProductMaths>>();
  l->Init(0);
  r->Init(376);
  TransportSines<DoublePair> sines;
  sines.SetTime(DoublePair{0.0, 376.0});
  const Biquad* shapers[2] = {&l->BrownNoiseShaper(), &r->BrownNoiseShaper()};
  TapeShaping<DoublePair, ProductMaths> pair;
  TapeShaping<double, ProductMaths> left, right;
  pair.ContinueDcBlocker(shapers);
  left.ContinueDcBlocker(&shapers[0]);
  right.ContinueDcBlocker(&shapers[1]);
  pair.SetBypass(bypass);
  left.SetBypass(bypass);
  right.SetBypass(bypass);
  std::vector<double> out;
  constexpr int kRun = 32;
  for (int start = 0; start < 6000; start += kRun) {
    if (start % 512 == 0) {
      l->Configure(s, 48000.0);
      r->Configure(s, 48000.0);
      pair.Configure(s, 48000.0);
      left.Configure(s, 48000.0);
      right.Configure(s, 48000.0);
    }
    DoublePair wow[kRun], flutter[kRun], delayed[kRun], noise[kRun], tube[kRun], y[kRun];
    sines.Run(BothHalves(48000.0), kRun, wow, flutter);
    for (int i = 0; i < kRun; ++i) {
      const auto tl = l->Transport(Drive(start + i), -1.0, wow[i][0], flutter[i][0]);
      const auto tr =
          r->Transport(-0.8 * Drive(start + i + 5), l->ReadPosition(), wow[i][1], flutter[i][1]);
      delayed[i] = DoublePair{tl.delayed, tr.delayed};
      noise[i] = DoublePair{tl.noise, tr.noise};
      tube[i] = DoublePair{l->TubeLevel(), r->TubeLevel()};
      if (!paired) {
        y[i] = DoublePair{left.Process(tl.delayed, tl.noise, l->TubeLevel()),
                          right.Process(tr.delayed, tr.noise, r->TubeLevel())};
      }
    }
    if (paired) pair.Run(delayed, noise, tube, y, kRun);
    for (int i = 0; i < kRun; ++i) {
      out.push_back(y[i][0]);
      out.push_back(y[i][1]);
    }
  }
  return out;
}

}  // namespace

TEST(TapeShaping, SideBySideEqualsEachChannelAloneInEveryProfile) {
  // Profiles A (clean bands), B and C (arctangent bands) and Off (no tone),
  // and with the power off, where the DC blocker rests.
  for (int32_t profile : {0, 1, 2, 3}) {
    for (bool bypass : {false, true}) {
      const std::vector<double> paired = ShapeBothWays(Loud(profile), true, bypass);
      const std::vector<double> single = ShapeBothWays(Loud(profile), false, bypass);
      ASSERT_EQ(paired.size(), single.size());
      for (size_t i = 0; i < paired.size(); ++i) {
        ASSERT_TRUE(SameBits(paired[i], single[i]))
            << "profile " << profile << " bypass " << bypass << " sample " << i << ": "
            << paired[i] << " vs " << single[i];
      }
    }
  }
}

// Each lane takes its own branches: the knee, the hard limit at zero drive,
// zero crossings, peaks learned at different moments, and NaN.
TEST(TubeStage, EachLaneOfAPairEqualsItsOwnStage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TubeStage<double> leftAlone, rightAlone;
  TubeStage<DoublePair> pair;
  rightAlone.toggleCounter = 1;  // peaks collected out of step
  pair.toggleCounter = PairMask{0, 1};
  for (int n = 0; n < 4000; ++n) {
    const double yl = n == 2500 ? nan : 3.0 * std::sin(0.05 * n) * std::sin(0.001 * n);
    const double yr = n % 7 == 0 ? 0.0 : 1.2 * std::sin(0.11 * n + 1.0);
    const double levelLeft = n < 1500 ? 0.0 : 0.7;  // zero drive: a hard limit
    const double levelRight = 0.5 + 0.5 * std::sin(0.003 * n);
    const DoublePair y = pair.Process(DoublePair{yl, yr}, DoublePair{levelLeft, levelRight});
    const double expectLeft = leftAlone.Process(yl, levelLeft);
    const double expectRight = rightAlone.Process(yr, levelRight);
    ASSERT_TRUE(SameBits(y[0], expectLeft) || (std::isnan(y[0]) && std::isnan(expectLeft))) << n;
    ASSERT_TRUE(SameBits(y[1], expectRight)) << n;
  }
  EXPECT_EQ(pair.maxPeak[1], rightAlone.maxPeak);
  EXPECT_EQ(pair.toggleCounter[1], rightAlone.toggleCounter);
}
