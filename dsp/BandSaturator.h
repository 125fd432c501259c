#pragma once
#include <cstdint>

#include "dsp/Crossover.h"
#include "dsp/DoublePair.h"

// Three-band weighting in single precision, for one channel (double) or two
// side by side (DoublePair), the settings shared. Mode 0 tilts the bands
// (and inverts the mid band); mode 1 bends the mid and high bands through an
// arctangent that flattens at +-pi/4 while a linear half keeps growing,
// the maths policy's.
template <class Sample, class Maths>
class BandSaturator {
 public:
  using Float = typename Lanes<Sample>::Float;
  static constexpr int32_t kModeClean = 0;
  static constexpr int32_t kModeArctangent = 1;

  Sample Process(Sample x) {
    const Float v = RoundToFloat(x);
    const Float low = lowCrossover.ProcessLowpass(v);
    const Float h1 = lowCrossover.ProcessHighpass(v);
    const Float high = highCrossover.ProcessHighpass(h1);
    // The low band phase-aligned with the other two; the mid band is the rest.
    const Float lowAligned = highCrossover.ProcessAllpass(low);
    const Float bandSum = lowAligned + high;
    const Float mid = RoundToFloat(Widen(bandSum) - x);
    return Widen(mode == kModeArctangent ? SumArctangent(lowAligned, mid, high)
                                         : SumClean(lowAligned, mid, high));
  }

  bool StateIsFinite() const {
    return lowCrossover.StateIsFinite() && highCrossover.StateIsFinite();
  }
  void ClearState() {
    lowCrossover.ClearState();
    highCrossover.ClearState();
  }

  Crossover<Float> lowCrossover;
  Crossover<Float> highCrossover;
  double gLow = 1.0;
  double gMid = 1.0;
  double gHigh = 1.0;
  int32_t mode = kModeClean;
  double drive = 1.0;

 private:
  Float SumClean(Float lowAligned, Float mid, Float high) const;
  Float SumArctangent(Float lowAligned, Float mid, Float high) const;
};
