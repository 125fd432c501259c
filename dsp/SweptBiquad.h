#pragma once
#include <cmath>
#include <numbers>

#include "dsp/Biquad.h"
#include "dsp/DesignLimit.h"
#include "dsp/IeeeMaths.h"

// The design of a filter that is swept every sample, carried from one
// sample's design to the next instead of being worked out afresh: the sine
// and cosine of the prewarp angle are turned through the angle's change, and
// a peak's linear gain is multiplied by the exponential of its exponent's
// change. Both changes are tiny from sample to sample, so short series are
// exact; a larger jump, and every Anchor, works the design out in full.
class SweptBiquad {
 public:
  // A design in full, from the same fields a Biquad is given.
  void Anchor(BiquadType type, double fc, double q, double gainDb);
  // The next sample's corner and gain (the type and q stay).
  void Step(double fc, double gainDb);
  void DesignInto(Biquad::Design* out) const {
    Biquad::DesignScaled(type, s, c, invQ, v, cut, out);
  }

 private:
  void TurnBy(double d);
  void GrowBy(double x);

  BiquadType type = BiquadType::Allpass;
  double invQ = 1.0;
  double angle = 0.0;  // pi fc as a Biquad limits it
  double s = 0.0;
  double c = 1.0;
  double exponent = 0.0;  // |gainDb| / 20, of which v is the power of ten
  double v = 1.0;
  bool cut = false;
};

namespace swept_biquad {

inline constexpr double kLn10 = 0x1.26bb1bbb55516p+1;
// Below these the dropped terms (d^4/24 and d^5/120; x^4/24) are under an
// ulp: a sweep at audio rates moves the angle by about 2e-5 and the gain's
// exponent by about 1e-4 per sample at 48 kHz.
inline constexpr double kLargestTurn = 1e-4;
inline constexpr double kLargestGrowth = 2e-4;

inline double PrewarpAngle(double fc) { return std::numbers::pi * LimitDesignFraction(fc); }

}  // namespace swept_biquad

inline void SweptBiquad::Step(double fc, double gainDb) {
  const double nextAngle = swept_biquad::PrewarpAngle(fc);
  const double turn = nextAngle - angle;
  angle = nextAngle;
  if (std::fabs(turn) <= swept_biquad::kLargestTurn) {
    TurnBy(turn);
  } else {
    ieee_maths::SinCos(angle, &s, &c);
  }
  if (type != BiquadType::Peak) return;
  const double nextExponent = std::fabs(gainDb) / 20.0;
  const double growth = (nextExponent - exponent) * swept_biquad::kLn10;
  exponent = nextExponent;
  cut = gainDb < 0.0;
  if (std::fabs(growth) <= swept_biquad::kLargestGrowth) {
    GrowBy(growth);
  } else {
    v = ieee_maths::Pow10(exponent);
  }
}

// sin d = d - d^3/6 and cos d = 1 - d^2/2, then the rotation.
inline void SweptBiquad::TurnBy(double d) {
  const double dd = d * d;
  const double sinD = d - d * dd * (1.0 / 6.0);
  const double cosD = 1.0 - 0.5 * dd;
  const double turnedS = s * cosD + c * sinD;
  c = c * cosD - s * sinD;
  s = turnedS;
}

// e^x = 1 + x + x^2/2 + x^3/6.
inline void SweptBiquad::GrowBy(double x) {
  v = v + v * (x * (1.0 + x * (0.5 + x * (1.0 / 6.0))));
}
