#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dsp/BandSaturator.h"
#include "dsp/Maths.h"

namespace {

BandSaturator<double, ProductMaths> MakeSaturator(int32_t mode, float low, float high) {
  BandSaturator<double, ProductMaths> s;
  s.mode = mode;
  s.drive = 1.75;
  s.lowCrossover.SetCrossover<ProductMaths>(low, 44100.0f);
  s.highCrossover.SetCrossover<ProductMaths>(high, 44100.0f);
  return s;
}

// Runs a tone through the saturator and, beside it, through copies of its
// crossovers, so the mid band's own contribution can be separated out.
struct MidBandProbe {
  double overallGain = 0.0;  // signed gain of the whole output against the input
  double midGain = 0.0;      // signed gain of the mid contribution against the mid band
  double midPeak = 0.0;
  double midOutPeak = 0.0;
};

using HighCurve = double (*)(double high);

double LinearHigh(double high) { return high * 1.15; }
double SmallSignalArctangentHigh(double high) { return high * (2.1875 + 1.0) / 2.0 * 1.25; }
// The high band's curve at drive 1.75, needed once the leaking high band is large.
double ArctangentHigh(double high) {
  const double hb = high * 1.25;
  return (std::atan(hb * 1.25 * 1.75) + hb) * 0.5;
}

MidBandProbe ProbeTone(BandSaturator<double, ProductMaths> s, double frequency, double amplitude, double lowGain,
                       HighCurve highCurve) {
  Crossover<float> lowSplit = s.lowCrossover, highSplit = s.highCrossover;
  const double w = 2.0 * std::numbers::pi * frequency / 44100.0;
  double xy = 0.0, xx = 0.0, my = 0.0, mm = 0.0;
  MidBandProbe probe;
  for (int n = 0; n < 88200; ++n) {
    const double x = amplitude * std::sin(w * n);
    const double y = s.Process(x);
    const float v = static_cast<float>(x);
    const float low = lowSplit.ProcessLowpass(v);
    const float high = highSplit.ProcessHighpass(lowSplit.ProcessHighpass(v));
    const float lowAligned = highSplit.ProcessAllpass(low);
    const double mid = static_cast<float>(static_cast<float>(lowAligned + high) - x);
    const double midOut = y - lowGain * lowAligned - highCurve(high);
    if (n < 44100) continue;
    xy += x * y;
    xx += x * x;
    my += mid * midOut;
    mm += mid * mid;
    probe.midPeak = std::max(probe.midPeak, std::fabs(mid));
    probe.midOutPeak = std::max(probe.midOutPeak, std::fabs(midOut));
  }
  probe.overallGain = xy / xx;
  probe.midGain = my / mm;
  return probe;
}

// Output after settling for a constant or a Nyquist-rate alternating input,
// where the crossovers' responses are exactly 0 or 1.
double SettledGain(BandSaturator<double, ProductMaths> s, bool alternating, double amplitude) {
  double y = 0.0, x = 0.0;
  for (int n = 0; n < 44100; ++n) {
    x = alternating && (n % 2) ? -amplitude : amplitude;
    y = s.Process(x);
  }
  return y / x;
}

}  // namespace

// The float design of a 100 Hz section carries about 0.15 % of gain error at DC.
TEST(BandSaturator, CleanModeTiltsTheBands) {
  const BandSaturator s = MakeSaturator(BandSaturator<double, ProductMaths>::kModeClean, 100.0f, 10000.0f);
  EXPECT_NEAR(SettledGain(s, false, 0.5), 1.05, 3e-3);
  EXPECT_NEAR(SettledGain(s, true, 0.5), 1.15, 1e-6);
  const MidBandProbe probe = ProbeTone(s, 1000.0, 0.5, 1.05, LinearHigh);
  EXPECT_NEAR(probe.midGain, 0.9, 1e-4);
  // Midway between the crossovers the mid band is close to -x: the tone comes out inverted.
  EXPECT_NEAR(probe.overallGain, -0.9, 0.05);
}

TEST(BandSaturator, ArctangentModeSmallSignalGains) {
  const BandSaturator s = MakeSaturator(BandSaturator<double, ProductMaths>::kModeArctangent, 120.0f, 6000.0f);
  EXPECT_NEAR(SettledGain(s, false, 0.001), 1.0, 3e-3);
  const double highGain = (2.1875 + 1.0) / 2.0 * 1.25;
  EXPECT_NEAR(SettledGain(s, true, 0.001), highGain, 1e-3);
  const MidBandProbe probe = ProbeTone(s, 850.0, 0.001, 1.0, SmallSignalArctangentHigh);
  EXPECT_NEAR(probe.midGain, (3.0625 + 1.0) / 4.0, 1e-3);
}

TEST(BandSaturator, LargeMidSignalGrowsWithHalfTheSlope) {
  const BandSaturator s = MakeSaturator(BandSaturator<double, ProductMaths>::kModeArctangent, 120.0f, 6000.0f);
  for (double amplitude : {100.0, 200.0}) {
    const MidBandProbe probe = ProbeTone(s, 850.0, amplitude, 1.0, ArctangentHigh);
    // (atan(3.0625 z) + z) / 2 with z = mid / 2: pi/4 plus a quarter of the mid peak.
    EXPECT_NEAR(probe.midOutPeak, std::numbers::pi / 4.0 + probe.midPeak / 4.0,
                0.01 + probe.midPeak * 1e-4);
  }
}

TEST(BandSaturator, WorksInSinglePrecision) {
  BandSaturator s = MakeSaturator(BandSaturator<double, ProductMaths>::kModeArctangent, 120.0f, 6000.0f);
  for (int n = 0; n < 1000; ++n) {
    const double y = s.Process(0.3 * std::sin(n * 0.05) + 0.2 * std::sin(n * 1.3));
    ASSERT_EQ(static_cast<double>(static_cast<float>(y)), y);
  }
}

TEST(Crossover, LowAndHighSectionsSplitAtTheCrossoverFrequency) {
  Crossover<float> c;
  c.SetCrossover<ProductMaths>(1000.0f, 44100.0f);
  EXPECT_EQ(c.all.b0, c.a2);
  EXPECT_EQ(c.all.b1, c.a1);
  EXPECT_EQ(c.all.b2, 1.0f);
  // Second-order Linkwitz-Riley: both sections at -6 dB at the split.
  const double w = 2.0 * std::numbers::pi * 1000.0 / 44100.0;
  double low = 0.0, high = 0.0;
  for (int n = 0; n < 44100; ++n) {
    const float x = static_cast<float>(std::sin(w * n));
    const float l = c.ProcessLowpass(x);
    const float h = c.ProcessHighpass(x);
    if (n > 22050) {
      low = std::max(low, static_cast<double>(std::fabs(l)));
      high = std::max(high, static_cast<double>(std::fabs(h)));
    }
  }
  EXPECT_NEAR(low, 0.5, 1e-3);
  EXPECT_NEAR(high, 0.5, 1e-3);
}
