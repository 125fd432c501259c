#pragma once
#include "dsp/DoublePair.h"

// Rational approximation of tanh: odd, monotonic, saturating at +-1.
// Inline: the tape channel calls it twice per sample.
template <class Value>
inline Value FastTanhMagnitude(Value x, Value ax) {
  const Value denominator =
      1.0 + ax + x * x + 0.66422417311781 * (ax * ax * ax) + 0.36483285408241 * (x * x * x * x);
  return 1.0 - 1.0 / denominator;
}

inline double FastTanh(double x) {
  if (x == 0.0) return 0.0;
  const double magnitude = FastTanhMagnitude(x, Magnitude(x));
  return x > 0.0 ? magnitude : -magnitude;
}

// Both halves at once, each as above.
inline DoublePair FastTanh(DoublePair x) {
  const DoublePair magnitude = FastTanhMagnitude(x, Magnitude(x));
  return Select(x > 0.0, magnitude, Select(x == 0.0, DoublePair{}, -magnitude));
}
