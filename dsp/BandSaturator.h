#pragma once
#include <cstdint>

#include "dsp/Crossover.h"

// Three-band weighting in single precision. Mode 0 tilts the bands (and
// inverts the mid band); mode 1 bends the mid and high bands through an
// arctangent that flattens at +-pi/4 while a linear half keeps growing.
class BandSaturator {
 public:
  static constexpr int32_t kModeClean = 0;
  static constexpr int32_t kModeArctangent = 1;

  // The three bands of one sample: the low band phase-aligned with the
  // other two, the mid band as the rest of the input.
  struct Bands {
    float lowAligned;
    float mid;
    float high;
  };

  double Process(double x) { return Sum(Split(x)); }

  // The two halves of Process, for a caller that interleaves two channels.
  Bands Split(double x) {
    const float v = static_cast<float>(x);
    const float low = lowCrossover.ProcessLowpass(v);
    const float h1 = lowCrossover.ProcessHighpass(v);
    const float high = highCrossover.ProcessHighpass(h1);
    const float lowAligned = highCrossover.ProcessAllpass(low);
    const float bandSum = lowAligned + high;
    const float mid = static_cast<float>(bandSum - x);
    return {lowAligned, mid, high};
  }
  bool StateIsFinite() const {
    return lowCrossover.StateIsFinite() && highCrossover.StateIsFinite();
  }
  void ClearState() {
    lowCrossover.ClearState();
    highCrossover.ClearState();
  }

  float Sum(Bands b) const {
    return mode == kModeArctangent ? SumArctangent(b.lowAligned, b.mid, b.high)
                                   : SumClean(b.lowAligned, b.mid, b.high);
  }

  // The weighted sums of the bands for one channel (float) or, with this
  // saturator's settings, two side by side (FloatPair).
  template <class Float>
  Float SumClean(Float lowAligned, Float mid, Float high) const;
  template <class Float>
  Float SumArctangent(Float lowAligned, Float mid, Float high) const;

  Crossover lowCrossover;
  Crossover highCrossover;
  double gLow = 1.0;
  double gMid = 1.0;
  double gHigh = 1.0;
  int32_t mode = kModeClean;
  double drive = 1.0;
};
