#include "NoiseRandom.h"

#include <cmath>
#include <numbers>

namespace {

uint64_t SplitMix64(uint64_t& x) {
  x += 0x9E3779B97F4A7C15ull;
  uint64_t z = x;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

NoiseRandom::NoiseRandom(uint64_t seed) {
  for (uint64_t& word : state) word = SplitMix64(seed);
}

uint64_t NoiseRandom::NextBits() {
  const uint64_t result = RotateLeft(state[1] * 5, 7) * 9;
  const uint64_t t = state[1] << 17;
  state[2] ^= state[0];
  state[3] ^= state[1];
  state[1] ^= state[2];
  state[0] ^= state[3];
  state[2] ^= t;
  state[3] = RotateLeft(state[3], 45);
  return result;
}

double NoiseRandom::NextUniform() {
  return static_cast<double>((NextBits() >> 11) + 1) * 0x1.0p-53;
}

double NoiseRandom::NextGaussian() {
  if (hasSpareGaussian) {
    hasSpareGaussian = false;
    return spareGaussian;
  }
  const double radius = std::sqrt(-2.0 * std::log(NextUniform()));
  const double angle = 2.0 * std::numbers::pi * NextUniform();
  spareGaussian = radius * std::sin(angle);
  hasSpareGaussian = true;
  return radius * std::cos(angle);
}

double NoiseRandom::NextExponential(double mean) { return -mean * std::log(NextUniform()); }

double NoiseRandom::NextPareto(double xMin, double alpha, double xMax) {
  if (xMin >= xMax) return xMax;
  for (;;) {
    const double x = xMin * std::pow(NextUniform(), -1.0 / alpha);
    if (x <= xMax) return x;
  }
}

double NoiseRandom::NextRange(double low, double high) {
  return low + (high - low) * (NextUniform() - 0x1.0p-53);
}
