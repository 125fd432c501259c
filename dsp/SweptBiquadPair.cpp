#include "dsp/SweptBiquadPair.h"

#include <cmath>

#include "dsp/IeeeMaths.h"

void SweptBiquadPair::Anchor(BiquadType newType, double q, double fcA, double gainDbA, double fcB,
                             double gainDbB) {
  type = newType;
  invQ = BothHalves(1.0 / q);
  angle = DoublePair{PrewarpAngle(fcA), PrewarpAngle(fcB)};
  exponent = DoublePair{std::fabs(gainDbA) / 20.0, std::fabs(gainDbB) / 20.0};
  cut[0] = gainDbA < 0.0;
  cut[1] = gainDbB < 0.0;
  for (int half = 0; half < 2; ++half) {
    FullSinCos(half);
    FullGain(half);
  }
}

void SweptBiquadPair::FullSinCos(int half) {
  double sine, cosine;
  ieee_maths::SinCos(angle[half], &sine, &cosine);
  s[half] = sine;
  c[half] = cosine;
}

void SweptBiquadPair::FullGain(int half) {
  v[half] = type == BiquadType::Peak ? ieee_maths::Pow10(exponent[half]) : 1.0;
}
