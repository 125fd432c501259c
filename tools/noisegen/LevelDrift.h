#pragma once
#include <vector>

#include "NoiseRandom.h"

// A slow level wander in dB: a few sines, each a whole number of cycles per
// table so the wander joins itself at the loop point.
class LevelDrift {
 public:
  LevelDrift(NoiseRandom& random, double depthDb);

  double GainAt(long index, long length) const;
  void Apply(std::vector<double>& signal) const;

 private:
  static constexpr int kPartials = 3;
  double amplitudeDb[kPartials];
  double phase[kPartials];
};
