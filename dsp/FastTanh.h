#pragma once
#include "dsp/DoublePair.h"

// Rational approximation of tanh: odd, monotonic, saturating at +-1.
// Written for one value or a pair side by side (see DoublePair.h); inline,
// as the tape channel calls it twice per sample.
template <class Value>
inline Value FastTanh(Value x) {
  const Value ax = Magnitude(x);
  const Value denominator =
      1.0 + ax + x * x + 0.66422417311781 * (ax * ax * ax) + 0.36483285408241 * (x * x * x * x);
  const Value magnitude = 1.0 - 1.0 / denominator;
  // Zero gives +0 whatever its sign.
  return Select(x > 0.0, magnitude, Select(x == 0.0, Value{}, -magnitude));
}
