#pragma once

// The highest frequency, as a fraction of the sample rate, that a filter is
// designed for. Corner frequencies fixed in hertz (a 16 kHz high cut, an
// 8 kHz noise filter, a 10 kHz band split) reach or pass half the sample rate
// at low rates, where the bilinear designs turn unstable: tan(pi fc) runs to
// infinity at fc = 0.5 and changes sign beyond it. 0.45 keeps tan(pi fc)
// below 6.4 and the single-precision split's sin(w) above 0.3, so the poles
// stay well inside the unit circle even with the resonant q of the boosts,
// and it binds only below 35.6 kHz: the product's highest fixed corner is
// 16 kHz.
inline constexpr double kHighestDesignFraction = 0.45;

inline double LimitDesignFraction(double fc) {
  return fc < kHighestDesignFraction ? fc : kHighestDesignFraction;
}
