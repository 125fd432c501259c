#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#include "dsp/Maths.h"
#include "dsp/NoiseBanks.h"
#include "dsp/RandomGenerator.h"
#include "dsp/TapeChannel.h"
#include "dsp/TapeShaping.h"
#include "dsp/TransportSines.h"

namespace {

// A channel's transport with one channel's shaping after it, as the
// processor runs the two.
struct ShapedChannel : TapeChannel<ProductMaths> {
  void Init(int32_t startOffset) {
    TapeChannel<ProductMaths>::Init(startOffset);
    sines.SetTime(startOffset);
    const Biquad* shapers[1] = {&BrownNoiseShaper()};
    shaping.ContinueDcBlocker(shapers);
  }
  void Configure(const TapeChannelSettings& s, double rate) {
    TapeChannel<ProductMaths>::Configure(s, rate);
    shaping.Configure(s, rate);
  }
  void SetBypass(bool on) {
    bypass = on;
    shaping.SetBypass(on);
  }
  double ProcessSample(double input, double linkPosition) {
    double wow, readFlutter;
    sines.Run(SampleRate(), 1, &wow, &readFlutter);
    const Tap tap = Transport(input, linkPosition, wow, readFlutter);
    const double shaped = shaping.Process(tap.delayed, tap.noise, TubeLevel());
    return bypass ? DryOutput() : shaped;
  }

  ProductMaths::TransportSineSet<double> sines;
  TapeShaping<double, ProductMaths> shaping;
  bool bypass = false;
};

// Channels hold their brown-noise loops inline (2 MB), too much for the stack.
// The generator is reset first so every channel starts from the same draws.
std::unique_ptr<ShapedChannel> MakeChannel(int32_t startOffset) {
  RandomGenerator::ResetForThisThread();
  auto channel = std::make_unique<ShapedChannel>();
  channel->Init(startOffset);
  return channel;
}

TapeChannelSettings QuietSettings() {
  TapeChannelSettings s;
  s.profile = 3;
  s.noiseType = -1;
  s.speed = 1.0;
  return s;
}

TapeChannelSettings HeavySettings(int32_t profile, int32_t noiseType) {
  TapeChannelSettings s;
  s.profile = profile;
  s.noiseType = noiseType;
  s.noiseAmp = s.noiseDynamic = s.harmonics = s.tubeDrive = 1.0;
  s.wow = s.scratch = s.lfBoost = s.hfBoost = s.age = s.wide = s.speed = 1.0;
  return s;
}

double TestSignal(int n) {
  return 0.3 * std::sin(n * 0.0627) + 0.2 * std::sin(n * 0.31) + 0.05 * std::sin(n * 1.7);
}

std::vector<double> RunLeft(ShapedChannel& channel, const TapeChannelSettings& s, double rate,
                            int count) {
  std::vector<double> out;
  for (int n = 0; n < count; ++n) {
    if (n % 256 == 0) channel.Configure(s, rate);
    out.push_back(channel.ProcessSample(TestSignal(n), -1.0));
  }
  return out;
}

// Left then right for each sample, the right one tied to the left's read point.
std::vector<double> RunRight(const TapeChannelSettings& left, const TapeChannelSettings& right,
                             int count) {
  RandomGenerator::ResetForThisThread();
  auto l = std::make_unique<ShapedChannel>();
  auto r = std::make_unique<ShapedChannel>();
  l->Init(0);
  r->Init(376);
  std::vector<double> out;
  for (int n = 0; n < count; ++n) {
    if (n % 256 == 0) {
      l->Configure(left, 44100.0);
      r->Configure(right, 44100.0);
    }
    const double x = TestSignal(n);
    l->ProcessSample(x, -1.0);
    out.push_back(r->ProcessSample(x, l->ReadPosition()));
  }
  return out;
}

double LargestDifference(const std::vector<double>& a, const std::vector<double>& b,
                         size_t from = 0) {
  double largest = 0.0;
  for (size_t i = from; i < a.size(); ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
  return largest;
}

double Deviation(const double* loop) {
  double sum = 0.0, squares = 0.0;
  for (int i = 0; i < ShapedChannel::kBrownLoopPeriod; ++i) {
    sum += loop[i];
    squares += loop[i] * loop[i];
  }
  const double mean = sum / ShapedChannel::kBrownLoopPeriod;
  return std::sqrt(squares / ShapedChannel::kBrownLoopPeriod - mean * mean);
}

void ExpectBypassDelay(ShapedChannel& channel, double rate, int delay) {
  channel.SetBypass(true);
  const TapeChannelSettings s = HeavySettings(1, 2);
  for (int n = 0; n < 3 * delay; ++n) {
    if (n % 256 == 0) channel.Configure(s, rate);
    const double y = channel.ProcessSample(TestSignal(n), -1.0);
    ASSERT_EQ(y, n < delay ? 0.0 : TestSignal(n - delay)) << n;
  }
}

}  // namespace

TEST(TapeChannel, BypassDelaysTheDryInputBy1378SamplesAt44k1) {
  auto channel = MakeChannel(0);
  ExpectBypassDelay(*channel, 44100.0, 1378);
}

// At 48 kHz the line holds trunc(2756 * 48000 / 44100) = 2999 samples and the
// bypass tap sits trunc(D) = 1499 ahead of the write point: 1500 behind it.
TEST(TapeChannel, BypassDelayScalesWithTheSampleRate) {
  auto channel = MakeChannel(0);
  channel->Configure(QuietSettings(), 48000.0);
  EXPECT_EQ(channel->DelayLength(), 2999);
  EXPECT_EQ(channel->NominalDelay(), 1378.0 * (48000.0 / 44100.0));
  ExpectBypassDelay(*channel, 48000.0, 1500);
}

TEST(TapeChannel, UnchangedRateKeepsTheDelayLineRunning) {
  auto channel = MakeChannel(0);
  channel->SetBypass(true);
  for (int n = 0; n < 4000; ++n) {
    channel->Configure(QuietSettings(), 44100.0);  // every sample, as a tiny block
    const double y = channel->ProcessSample(TestSignal(n), -1.0);
    ASSERT_EQ(y, n < 1378 ? 0.0 : TestSignal(n - 1378)) << n;
  }
}

TEST(TapeChannel, FailedRateChangeKeepsTheOldLineLengthAndRate) {
  auto channel = MakeChannel(0);
  channel->SetBypass(true);
  const double badRates[] = {1e12, 0.0, -48000.0, 1.0, std::numeric_limits<double>::quiet_NaN()};
  int n = 0;
  for (double rate : {44100.0, badRates[0], badRates[1], badRates[2], badRates[3], badRates[4]}) {
    channel->Configure(QuietSettings(), rate);
    EXPECT_EQ(channel->SampleRate(), 44100.0);
    EXPECT_EQ(channel->DelayLength(), 2756);
    EXPECT_EQ(channel->NominalDelay(), 1378.0);
    for (int i = 0; i < 700; ++i, ++n) {
      const double y = channel->ProcessSample(TestSignal(n), -1.0);
      ASSERT_EQ(y, n < 1378 ? 0.0 : TestSignal(n - 1378)) << n;
    }
  }
  channel->Configure(QuietSettings(), 96000.0);
  EXPECT_EQ(channel->SampleRate(), 96000.0);
  EXPECT_EQ(channel->DelayLength(), 5999);
}

TEST(TapeChannel, WideZeroTiesTheRightReadPointToTheLeft) {
  TapeChannelSettings left = QuietSettings();
  left.wow = 0.7;
  TapeChannelSettings right = left;
  right.wide = 0.0;
  const std::vector<double> calm = RunRight(left, right, 20000);
  right.wow = 1.0;  // the right channel's own wow must not matter
  const std::vector<double> wobbly = RunRight(left, right, 20000);
  EXPECT_EQ(calm, wobbly);
}

TEST(TapeChannel, WideOneLetsTheRightChannelFollowItsOwnModulation) {
  TapeChannelSettings left = QuietSettings();
  TapeChannelSettings right = QuietSettings();
  right.wow = 0.6;
  right.wide = 1.0;
  const std::vector<double> steadyLeft = RunRight(left, right, 20000);
  left.wow = 1.0;
  const std::vector<double> wobblyLeft = RunRight(left, right, 20000);
  // Once the link smoother has settled, only its last 1e-5 short of 1 still
  // couples the channels.
  EXPECT_LT(LargestDifference(steadyLeft, wobblyLeft, 10000), 1e-3);

  right.wide = 0.0;
  const std::vector<double> tiedToSteady = RunRight(QuietSettings(), right, 20000);
  EXPECT_GT(LargestDifference(tiedToSteady, wobblyLeft, 10000), 0.05);
}

TEST(TapeChannel, FirstScratchComesOnTheFirstSampleAndPullsBackwards) {
  auto channel = MakeChannel(0);
  TapeChannelSettings s = QuietSettings();
  s.scratch = 1.0;
  channel->Configure(s, 44100.0);
  EXPECT_EQ(channel->ScratchCountdown(), 0.0);
  channel->ProcessSample(0.0, -1.0);
  EXPECT_TRUE(channel->ScratchRamp().IsRunning());
  EXPECT_LE(channel->ScratchRamp().target, 0.0);
  EXPECT_GE(channel->ScratchCountdown(), 1.0);
  EXPECT_LE(channel->ScratchCountdown(), 9.0);

  int events = 1;
  double previousCountdown = channel->ScratchCountdown();
  for (int n = 0; n < 20 * 44100; ++n) {
    channel->ProcessSample(0.0, -1.0);
    if (channel->ScratchCountdown() > previousCountdown) {
      ++events;
      EXPECT_LE(channel->ScratchRamp().target, 0.0);
    }
    previousCountdown = channel->ScratchCountdown();
  }
  EXPECT_GE(events, 3);
}

TEST(TapeChannel, BrownLoopsJoinWithoutASeamAndLoopBIsLouder) {
  auto channel = MakeChannel(0);
  for (bool louder : {false, true}) {
    const double* loop = channel->BrownLoop(louder);
    const int period = ShapedChannel::kBrownLoopPeriod;
    // Entry 0 continues from the last entry as entry `period` would have.
    EXPECT_EQ(loop[0], loop[period]);
    double largestStep = 0.0;
    for (int i = 1; i < period; ++i)
      largestStep = std::max(largestStep, std::fabs(loop[i] - loop[i - 1]));
    EXPECT_LE(std::fabs(loop[0] - loop[period - 1]), largestStep);
  }
  // Loop B starts from the DC blocker state that loop A left, which gives it a
  // constant offset; its fluctuation is 1.5 times that of loop A.
  EXPECT_NEAR(Deviation(channel->BrownLoop(true)) / Deviation(channel->BrownLoop(false)), 1.5,
              0.15);
}

// Positions a whole number of loop periods apart read the same noise, however
// far past the range of a 32-bit integer the position has run.
TEST(TapeChannel, NoisePositionPastTwoToTheThirtyOneReadsTheSameNoise) {
  struct Case {
    int32_t noiseType;
    int64_t period;
  };
  for (const Case c : {Case{0, kNoise1Length}, Case{4, ShapedChannel::kBrownLoopPeriod}}) {
    const int64_t loops = (int64_t{1} << 31) / c.period + 1;
    const double farPosition = static_cast<double>(loops * c.period);
    ASSERT_GT(farPosition, 2147483648.0);
    const TapeChannelSettings s = HeavySettings(1, c.noiseType);

    auto nearChannel = MakeChannel(0);
    const std::vector<double> nearOut = RunLeft(*nearChannel, s, 44100.0, 3000);
    auto farChannel = MakeChannel(0);
    farChannel->SetNoisePosition(farPosition);
    const std::vector<double> farOut = RunLeft(*farChannel, s, 44100.0, 3000);
    EXPECT_EQ(nearOut, farOut) << c.noiseType;
    EXPECT_EQ(farChannel->NoisePosition(), farPosition + 3000.0);
  }
}

TEST(TapeChannel, SpeedSetsTheNoisePlaybackRate) {
  struct Case {
    double speed, rate, step;
  };
  for (const Case c :
       {Case{1.0, 44100.0, 1.0}, Case{0.0, 44100.0, 0.5}, Case{1.0, 48000.0, 44100.0 / 48000.0},
        Case{0.0, 96000.0, 44100.0 / 192000.0}}) {
    auto channel = MakeChannel(376);
    TapeChannelSettings s = QuietSettings();
    s.noiseType = 0;
    s.speed = c.speed;
    channel->Configure(s, c.rate);
    for (int n = 0; n < 1000; ++n) channel->ProcessSample(0.0, -1.0);
    EXPECT_NEAR(channel->NoisePosition(), 376.0 + 1000.0 * c.step, 1e-9)
        << c.speed << " " << c.rate;
  }
}

// Fresh channels fed silence output only their first noise sample, scaled by
// the same filters: equal outputs mean equal bank entries were read.
TEST(TapeChannel, LeftChannelReadsTheMonoVinylBackwards) {
  TapeChannelSettings s = QuietSettings();
  s.noiseType = 3;
  s.noiseAmp = 1.0;
  const auto firstOutput = [&](double startPosition, bool right) {
    auto channel = MakeChannel(0);
    channel->SetNoisePosition(startPosition);
    channel->Configure(s, 44100.0);
    return channel->ProcessSample(0.0, right ? 0.0 : -1.0);
  };
  const int64_t length = kVinyl2Length;
  for (int64_t entry : {int64_t{1000}, int64_t{123456}, length - 2}) {
    ASSERT_NE(vinyl2Mono[entry], vinyl2Mono[length - 1 - entry]);
    // Forwards reads entry p + 1 after the first step; backwards reads L - 1 - (q + 1).
    const double forwards = firstOutput(static_cast<double>(entry - 1), true);
    const double backwards = firstOutput(static_cast<double>(length - 2 - entry), false);
    EXPECT_EQ(forwards, backwards) << entry;
    EXPECT_NE(forwards, firstOutput(static_cast<double>(length - 2 - entry), true)) << entry;
  }
}

TEST(TapeChannel, InitStartsNoiseAtTheOffset) {
  auto channel = MakeChannel(376);
  EXPECT_EQ(channel->NoisePosition(), 376.0);
  EXPECT_EQ(channel->DelayLength(), 2756);
  EXPECT_EQ(channel->NominalDelay(), 1378.0);
}

// Every setting at full and every noise type, at three rates: the output stays
// finite and bounded, and it is rounded to single precision at the end.
TEST(TapeChannel, HeavySettingsStayFiniteAndSinglePrecision) {
  for (double rate : {44100.0, 48000.0, 96000.0}) {
    for (int32_t profile = 0; profile <= 3; ++profile) {
      for (int32_t noiseType = 0; noiseType <= 5; ++noiseType) {
        auto channel = MakeChannel(0);
        const std::vector<double> out =
            RunLeft(*channel, HeavySettings(profile, noiseType), rate, 20000);
        double largest = 0.0;
        for (double y : out) {
          ASSERT_TRUE(std::isfinite(y));
          ASSERT_EQ(static_cast<double>(static_cast<float>(y)), y);
          largest = std::max(largest, std::fabs(y));
        }
        EXPECT_LT(largest, 4.0) << rate << " " << profile << " " << noiseType;
        EXPECT_GT(largest, 0.01);
      }
    }
  }
}

// The noise recordings loop, so jumps by whole bank lengths, backwards and
// forwards, must read exactly the noise an unmoved channel reads.
TEST(TapeChannel, NoiseJumpsByWholeBanksReadTheSameNoise) {
  const TapeChannelSettings s = HeavySettings(1, 0);
  const double start = kNoise1Length + 10.0;
  auto steady = MakeChannel(0);
  steady->SetNoisePosition(start);
  const std::vector<double> expected = RunLeft(*steady, s, 44100.0, 3000);

  auto jumping = MakeChannel(0);
  jumping->SetNoisePosition(start);
  std::vector<double> out;
  for (int n = 0; n < 3000; ++n) {
    if (n % 256 == 0) jumping->Configure(s, 44100.0);
    if (n == 1000) jumping->SetNoisePosition(jumping->NoisePosition() - kNoise1Length);
    if (n == 2000) jumping->SetNoisePosition(jumping->NoisePosition() + 2.0 * kNoise1Length);
    out.push_back(jumping->ProcessSample(TestSignal(n), -1.0));
  }
  EXPECT_EQ(out, expected);
}
