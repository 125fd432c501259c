#include <gtest/gtest.h>

#include <cmath>

#include "dsp/Maths.h"
#include "dsp/QuadratureOscillator.h"
#include "dsp/SweptBiquadPair.h"

namespace {

Biquad::Design FullDesign(BiquadType type, double fc, double gainDb) {
  Biquad filter;
  filter.type = type;
  filter.fc = fc;
  filter.q = 2.0;
  filter.gainDb = gainDb;
  filter.CalcCoefficients<ProductMaths>();
  return filter.Coefficients();
}

double LargestDifference(const Biquad::Design& a, const Biquad::Design& b) {
  return std::fmax(
      std::fmax(std::fabs(a.b0 - b.b0), std::fabs(a.b1 - b.b1)),
      std::fmax(std::fmax(std::fabs(a.b2 - b.b2), std::fabs(a.a1 - b.a1)), std::fabs(a.a2 - b.a2)));
}

}  // namespace

// Carried step by step through a sweep like the engine's (a run of 64
// frames), with gains crossing zero, the designs stay with the full ones; a
// jump larger than the short series take is worked out in full.
TEST(SweptBiquadPair, FollowsTheFullDesignsThroughASweep) {
  for (BiquadType type : {BiquadType::Peak, BiquadType::Allpass}) {
    for (double rate : {44100.0, 8000.0}) {
      auto fcAt = [rate](int i, double offset) {
        return (std::sin(0.0005 * i + offset) * 800.0 + 1000.0) / rate;
      };
      auto gainAt = [](int i, double offset) { return std::sin(0.0003 * i + offset) * 3.0; };
      SweptBiquadPair pair;
      pair.Anchor(type, 2.0, fcAt(0, 0.0), gainAt(0, 1.0), fcAt(0, 2.0), gainAt(0, 3.0));
      double worst = 0.0;
      for (int i = 1; i < 64; ++i) {
        pair.Step(fcAt(i, 0.0), gainAt(i, 1.0), fcAt(i, 2.0), gainAt(i, 3.0));
        Biquad::Design a, b;
        pair.DesignInto(&a, &b);
        worst =
            std::fmax(worst, LargestDifference(a, FullDesign(type, fcAt(i, 0.0), gainAt(i, 1.0))));
        worst =
            std::fmax(worst, LargestDifference(b, FullDesign(type, fcAt(i, 2.0), gainAt(i, 3.0))));
      }
      EXPECT_LT(worst, 1e-14) << "rate " << rate;
    }
  }
  SweptBiquadPair pair;
  pair.Anchor(BiquadType::Peak, 2.0, 0.01, 3.0, 0.02, -3.0);
  pair.Step(0.3, -6.0, 0.02, -3.0);
  Biquad::Design a, b;
  pair.DesignInto(&a, &b);
  EXPECT_EQ(LargestDifference(a, FullDesign(BiquadType::Peak, 0.3, -6.0)), 0.0);
}

// A thousand small turns later the pair is still the sine and cosine of
// the phase reached.
TEST(QuadratureOscillator, FollowsItsPhaseThroughSmallTurns) {
  QuadratureOscillator<double> sine;
  double phase = 376.0 * 4.33;
  sine.Anchor(phase);
  for (int i = 0; i < 1000; ++i) {
    phase += 4.33 * (1.0 + 0.025 * std::sin(0.01 * i)) / 48000.0;
    sine.FollowPhase(phase);
  }
  EXPECT_NEAR(sine.Sin(), std::sin(phase), 1e-13);
  EXPECT_NEAR(sine.Cos(), std::cos(phase), 1e-13);
}
