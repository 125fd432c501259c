#pragma once
#include <cstdint>

// Seeded xoshiro256** with our own Gaussian draw, so the tables come out the
// same with every compiler and standard library.
class NoiseRandom {
 public:
  explicit NoiseRandom(uint64_t seed);

  uint64_t NextBits();
  // Uniform in (0, 1]: never 0, so logarithms of it are finite.
  double NextUniform();
  double NextGaussian();
  double NextExponential(double mean);
  // Pareto with minimum xMin and tail index alpha, redrawn until it is at most xMax.
  double NextPareto(double xMin, double alpha, double xMax);
  double NextRange(double low, double high);

 private:
  uint64_t state[4];
  double spareGaussian = 0.0;
  bool hasSpareGaussian = false;
};
