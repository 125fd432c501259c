#pragma once
#include <cmath>
#include <numbers>

#include "dsp/Biquad.h"
#include "dsp/DesignLimit.h"
#include "dsp/DoublePair.h"
#include "dsp/ScaledDesign.h"

// Two filters of one type swept every sample, their designs carried from one
// sample to the next instead of worked out afresh: the sines and cosines of
// the prewarp angles are turned through the angles' changes, and a peak's
// linear gain is multiplied by the exponential of its exponent's change.
// The changes are tiny from sample to sample, so short series are exact; a
// larger jump, and every Anchor, works the design out in full. The two
// filters share the arithmetic, in the two halves of a vector register.
class SweptBiquadPair {
 public:
  // Designs in full, from the fields a Biquad is given, for filters a and b.
  void Anchor(BiquadType type, double q, double fcA, double gainDbA, double fcB, double gainDbB);
  // The next sample's corners and gains.
  void Step(double fcA, double gainDbA, double fcB, double gainDbB) {
    StepAngles(DoublePair{PrewarpAngle(fcA), PrewarpAngle(fcB)});
    if (type == BiquadType::Peak) StepGains(gainDbA, gainDbB);
  }
  // Both designs, a in the first half of each coefficient and b in the second.
  ScaledCoefficients<DoublePair> Designs() const;
  void DesignInto(Biquad::Design* a, Biquad::Design* b) const;

 private:
  static double PrewarpAngle(double fc);
  void StepAngles(DoublePair next);
  void StepGains(double gainDbA, double gainDbB);
  void FullSinCos(int half);
  void FullGain(int half);

  BiquadType type = BiquadType::Allpass;
  DoublePair invQ = BothHalves(1.0);
  DoublePair angle = BothHalves(0.0);  // pi fc as a Biquad limits it
  DoublePair s = BothHalves(0.0);
  DoublePair c = BothHalves(1.0);
  DoublePair exponent = BothHalves(0.0);  // |gainDb| / 20, of which v is the power of ten
  DoublePair v = BothHalves(1.0);
  bool cut[2] = {false, false};
};

// The steps and the designs are inline: the engine makes two pairs of
// designs every sample, in one loop.
namespace swept_biquad_pair {

inline constexpr double kLn10 = 0x1.26bb1bbb55516p+1;
// Below these the dropped terms (d^4/24 and d^5/120; x^4/24) are under an
// ulp: a sweep at audio rates moves the angle by about 2e-5 and the gain's
// exponent by about 1e-4 per sample at 48 kHz.
inline constexpr double kLargestTurn = 1e-4;
inline constexpr double kLargestGrowth = 2e-4;

}  // namespace swept_biquad_pair

inline double SweptBiquadPair::PrewarpAngle(double fc) {
  return std::numbers::pi * LimitDesignFraction(fc);
}

// sin d = d - d^3/6 and cos d = 1 - d^2/2, then the rotation.
inline void SweptBiquadPair::StepAngles(DoublePair next) {
  const DoublePair turn = next - angle;
  angle = next;
  if (!BothWithin(turn, swept_biquad_pair::kLargestTurn)) {
    FullSinCos(0);
    FullSinCos(1);
    return;
  }
  const DoublePair dd = turn * turn;
  const DoublePair sinD = turn - turn * dd * BothHalves(1.0 / 6.0);
  const DoublePair cosD = BothHalves(1.0) - BothHalves(0.5) * dd;
  const DoublePair turnedS = s * cosD + c * sinD;
  c = c * cosD - s * sinD;
  s = turnedS;
}

// e^x = 1 + x + x^2/2 + x^3/6.
inline void SweptBiquadPair::StepGains(double gainDbA, double gainDbB) {
  const DoublePair next{std::fabs(gainDbA) / 20.0, std::fabs(gainDbB) / 20.0};
  const DoublePair growth = (next - exponent) * BothHalves(swept_biquad_pair::kLn10);
  exponent = next;
  cut[0] = gainDbA < 0.0;
  cut[1] = gainDbB < 0.0;
  if (!BothWithin(growth, swept_biquad_pair::kLargestGrowth)) {
    FullGain(0);
    FullGain(1);
    return;
  }
  const DoublePair x = growth;
  v = v + v * (x * (BothHalves(1.0) + x * (BothHalves(0.5) + x * BothHalves(1.0 / 6.0))));
}

// Both filters' designs at once: one division serves both.
inline ScaledCoefficients<DoublePair> SweptBiquadPair::Designs() const {
  ScaledCoefficients<DoublePair> d;
  DesignScaled(type, s, c, invQ, v, cut, &d);
  return d;
}

inline void SweptBiquadPair::DesignInto(Biquad::Design* a, Biquad::Design* b) const {
  const ScaledCoefficients<DoublePair> d = Designs();
  *a = {d.b0[0], d.b1[0], d.b2[0], d.a1[0], d.a2[0]};
  *b = {d.b0[1], d.b1[1], d.b2[1], d.a1[1], d.a2[1]};
}
