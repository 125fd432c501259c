#pragma once
#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"

// The product build's biquad designs, for one filter (double) or two side
// by side (DoublePair), from the sine and cosine of the prewarp angle pi fc.
// With k = tan(pi fc) = s / c every coefficient is a ratio of two quadratics
// in k; multiplied through by c^2, the terms 1, k and k^2 become c^2, s c and
// s^2, which needs no tangent and one division. The shelves are not here:
// they are never swept and keep the literal forms with k = s / c.
template <class Value>
struct ScaledCoefficients {
  Value b0, b1, b2, a1, a2;
};

// A peak's k/q terms: a boost puts v k/q in the zeros, a cut in the poles.
inline void PickPeakTerms(bool cut, double kq, double vkq, double* zeros, double* poles) {
  *zeros = cut ? kq : vkq;
  *poles = cut ? vkq : kq;
}

inline void PickPeakTerms(const bool* cut, DoublePair kq, DoublePair vkq, DoublePair* zeros,
                          DoublePair* poles) {
  for (int half = 0; half < 2; ++half) {
    (*zeros)[half] = cut[half] ? kq[half] : vkq[half];
    (*poles)[half] = cut[half] ? vkq[half] : kq[half];
  }
}

// False, with `out` untouched, for the shelves and unknown types. `cut` is
// a bool, or one per half; v and cut matter to the peak only.
template <class Value, class Cut>
inline bool DesignScaled(BiquadType type, Value s, Value c, Value invQ, Value v, Cut cut,
                         ScaledCoefficients<Value>* out) {
  const Value one = c * c;
  const Value k = s * c;
  const Value kk = s * s;
  const Value kq = k * invQ;
  Value zeros = kq;
  Value poles = kq;
  if (type == BiquadType::Peak) PickPeakTerms(cut, kq, v * invQ * k, &zeros, &poles);
  const Value m = 1.0 / (one + poles + kk);
  const Value a1 = 2.0 * (kk - one) * m;
  const Value a2 = (one - poles + kk) * m;
  switch (type) {
    case BiquadType::Peak:
      *out = {(one + zeros + kk) * m, a1, (one - zeros + kk) * m, a1, a2};
      return true;
    case BiquadType::Lowpass:
      *out = {kk * m, 2.0 * kk * m, kk * m, a1, a2};
      return true;
    case BiquadType::Highpass:
      *out = {one * m, -2.0 * one * m, one * m, a1, a2};
      return true;
    case BiquadType::Bandpass:
      *out = {kq * m, Value{}, -kq * m, a1, a2};
      return true;
    case BiquadType::Notch:
      *out = {(one + kk) * m, a1, (one + kk) * m, a1, a2};
      return true;
    case BiquadType::Allpass:
      *out = {a2, a1, Value{} + 1.0, a1, a2};
      return true;
    default:
      return false;
  }
}
