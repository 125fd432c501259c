#pragma once
#include "dsp/DoublePair.h"
#include "dsp/FastTanh.h"
#include "dsp/Maths.h"

// The tape channel's added harmonics: the sample driven into a soft clip,
// the second, third and fourth Chebyshev terms of the clipped value weighted
// in single precision, and their soft-clipped sum taken off the sample.
struct HarmonicWeights {
  float second;
  float third;
  float fourth;
};

// Computed once when the library loads, so the audio path never meets a
// first-use initialisation.
template <class Maths>
inline const HarmonicWeights kHarmonicWeights{Maths::Pow10F(-2.1f), Maths::Pow10F(-3.4f),
                                              Maths::Pow10F(-4.2f)};

// For one channel (double) or two side by side (DoublePair); `drive` is
// 4 harmonics + 1.
template <class Maths, class Double>
inline Double AddHarmonicTerms(Double delayed, double drive, double amount) {
  const auto e = RoundToFloat(4.0 * FastTanh(drive * delayed * 0.25));
  const HarmonicWeights& w = kHarmonicWeights<Maths>;
  const auto chebyshev = w.second * (2.0f * (e * e) - 1.0f) +
                         w.third * (4.0f * (e * e * e) - 3.0f * e) +
                         w.fourth * (8.0f * (e * e * e * e) - 8.0f * (e * e) + 1.0f);
  return delayed - FastTanh(Widen(chebyshev) * amount * 8.0 * 0.25);
}
