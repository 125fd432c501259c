#include "LevelDrift.h"

#include <cmath>
#include <numbers>

namespace {

// Cycles per table (about 12 s): periods of 12, 4 and 1.7 s.
constexpr int kCycles[] = {1, 3, 7};
// Shares of the depth; they add up to 1 so the wander never exceeds it.
constexpr double kShares[] = {0.5, 0.3, 0.2};

}  // namespace

LevelDrift::LevelDrift(NoiseRandom& random, double depthDb) {
  for (int i = 0; i < kPartials; ++i) {
    amplitudeDb[i] = depthDb * kShares[i];
    phase[i] = 2.0 * std::numbers::pi * random.NextUniform();
  }
}

double LevelDrift::GainAt(long index, long length) const {
  double db = 0.0;
  for (int i = 0; i < kPartials; ++i) {
    const double cycle = static_cast<double>(index) / static_cast<double>(length);
    db += amplitudeDb[i] * std::sin(2.0 * std::numbers::pi * kCycles[i] * cycle + phase[i]);
  }
  return std::pow(10.0, db / 20.0);
}

void LevelDrift::Apply(std::vector<double>& signal) const {
  const long length = static_cast<long>(signal.size());
  for (long i = 0; i < length; ++i) signal[i] *= GainAt(i, length);
}
