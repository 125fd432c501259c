#include "dsp/SweptBiquad.h"

#include <cmath>

#include "dsp/IeeeMaths.h"

void SweptBiquad::Anchor(BiquadType newType, double fc, double q, double gainDb) {
  type = newType;
  invQ = 1.0 / q;
  angle = swept_biquad::PrewarpAngle(fc);
  ieee_maths::SinCos(angle, &s, &c);
  exponent = std::fabs(gainDb) / 20.0;
  v = type == BiquadType::Peak ? ieee_maths::Pow10(exponent) : 1.0;
  cut = gainDb < 0.0;
}
