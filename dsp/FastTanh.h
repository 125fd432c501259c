#pragma once
#include <cmath>

// Rational approximation of tanh: odd, monotonic, saturating at +-1.
// Inline: the tape channel calls it twice per sample.
inline double FastTanh(double x) {
  if (x == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double denominator =
      1.0 + ax + x * x + 0.66422417311781 * (ax * ax * ax) + 0.36483285408241 * (x * x * x * x);
  const double magnitude = 1.0 - 1.0 / denominator;
  return x > 0.0 ? magnitude : -magnitude;
}
