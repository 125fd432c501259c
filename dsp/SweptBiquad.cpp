#include "dsp/SweptBiquad.h"

#include <cmath>
#include <numbers>

#include "dsp/DesignLimit.h"
#include "dsp/IeeeMaths.h"

namespace {

constexpr double kLn10 = 0x1.26bb1bbb55516p+1;
// Below these the dropped terms (d^4/24 and d^5/120; x^4/24) are under an
// ulp: a sweep at audio rates moves the angle by about 2e-5 and the gain's
// exponent by about 1e-4 per sample at 48 kHz.
constexpr double kLargestTurn = 1e-4;
constexpr double kLargestGrowth = 2e-4;

double PrewarpAngle(double fc) { return std::numbers::pi * LimitDesignFraction(fc); }

}  // namespace

void SweptBiquad::Anchor(BiquadType newType, double fc, double q, double gainDb) {
  type = newType;
  invQ = 1.0 / q;
  angle = PrewarpAngle(fc);
  ieee_maths::SinCos(angle, &s, &c);
  exponent = std::fabs(gainDb) / 20.0;
  v = type == BiquadType::Peak ? ieee_maths::Pow10(exponent) : 1.0;
  cut = gainDb < 0.0;
}

void SweptBiquad::Step(double fc, double gainDb) {
  const double nextAngle = PrewarpAngle(fc);
  const double turn = nextAngle - angle;
  angle = nextAngle;
  if (std::fabs(turn) <= kLargestTurn) {
    TurnBy(turn);
  } else {
    ieee_maths::SinCos(angle, &s, &c);
  }
  if (type != BiquadType::Peak) return;
  const double nextExponent = std::fabs(gainDb) / 20.0;
  const double growth = (nextExponent - exponent) * kLn10;
  exponent = nextExponent;
  cut = gainDb < 0.0;
  if (std::fabs(growth) <= kLargestGrowth) {
    GrowBy(growth);
  } else {
    v = ieee_maths::Pow10(exponent);
  }
}

// sin d = d - d^3/6 and cos d = 1 - d^2/2, then the rotation.
void SweptBiquad::TurnBy(double d) {
  const double dd = d * d;
  const double sinD = d - d * dd * (1.0 / 6.0);
  const double cosD = 1.0 - 0.5 * dd;
  const double turnedS = s * cosD + c * sinD;
  c = c * cosD - s * sinD;
  s = turnedS;
}

// e^x = 1 + x + x^2/2 + x^3/6.
void SweptBiquad::GrowBy(double x) {
  v = v + v * (x * (1.0 + x * (0.5 + x * (1.0 / 6.0))));
}
