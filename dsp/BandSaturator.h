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

  double Process(double x);

  Crossover lowCrossover;
  Crossover highCrossover;
  double gLow = 1.0;
  double gMid = 1.0;
  double gHigh = 1.0;
  int32_t mode = kModeClean;
  double drive = 1.0;

 private:
  float SumClean(float lowAligned, float mid, float high) const;
  float SumArctangent(float lowAligned, float mid, float high) const;
};
