#pragma once
#include <cstdint>

// The C library's classic linear congruential generator, kept here so every
// platform draws the same numbers. Each thread has its own state, starting at 1.
class RandomGenerator {
 public:
  static constexpr int kMax = 32767;

  // Next integer in 0..kMax from the calling thread's state.
  static int Next();
  // Puts the calling thread's state back to 1, so a run can start from a known point.
  static void ResetForThisThread();
};
