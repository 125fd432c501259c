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
  // The calling thread's state: the point its next draw starts from.
  static uint32_t StateOfThisThread();

  // While it lives, the calling thread draws from the given state; its own
  // state is back afterwards, as if the draws in between had not been made.
  // It lets a sound drawn once be drawn again the same.
  class Replay {
   public:
    explicit Replay(uint32_t state);
    ~Replay();
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

   private:
    uint32_t ownState;
  };
};
