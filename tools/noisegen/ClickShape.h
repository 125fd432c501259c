#pragma once
#include <vector>

#include "NoiseRandom.h"

// Waveforms of single vinyl defects, each normalised to a peak magnitude of 1.
// A click is heard as the pickup ringing at its resonance, so every shape is
// an excitation passed through filters, never a bare one-sample spike.
class ClickShape {
 public:
  // The disturbance itself: `length` samples of one polarity, rough in size.
  static std::vector<double> Burst(NoiseRandom& random, int length);
  // A dust tick: a burst ringing at the pickup's resonance.
  static std::vector<double> Tick(const std::vector<double>& burst, double resonanceHz, double q);
  // A pop: a burst of a fraction of a millisecond through a low-pass near
  // 1 kHz, its sharp onset ringing at the resonance.
  static std::vector<double> Pop(const std::vector<double>& burst, double cornerHz,
                                 double resonanceHz);
  // A thump: a short burst, then a decaying sine gliding from 60 to 20 Hz.
  static std::vector<double> Thump(NoiseRandom& random);
};
