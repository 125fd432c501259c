#pragma once
#include <cstdint>

#include "dsp/DoublePair.h"
#include "dsp/ModDelay.h"

// Two modulated delay lines side by side: their arithmetic in the halves of
// vector registers, their buffers read and written one by one. Each half is
// bit for bit its own line's ModDelay::Process. A run takes the lines' state,
// keeps it in registers for its frames and hands it back; the lines' LFO
// depth and length must not change during a run, which holds as the owner
// sets them once per block.
class ModDelayPair {
 public:
  ModDelayPair(ModDelay& first, ModDelay& second) : a(first), b(second) {}

  // `frames` samples: x in, y out, each half's gain standing for its line's
  // gain member at that sample.
  void Run(const DoublePair* x, const DoublePair* gain, DoublePair* y, int frames);

 private:
  struct State {
    DoublePair length, longest, delay, readPosition, feedback, lfo, lfoDirection, lfoRate, lfoDepth;
    int32_t writeA, writeB;
  };

  State Load() const;
  void Store(const State& s);
  DoublePair Step(State& s, DoublePair x, DoublePair gain);
  static int32_t Following(int32_t i, const ModDelay& line) {
    return i + 1 == line.length ? 0 : i + 1;
  }
  static void Advance(int32_t& writeIndex, const ModDelay& line) {
    if (++writeIndex >= line.length) writeIndex -= line.length;
  }
  static void Dip(ModDelay& line, int32_t writeIndex);
  static double Glide(ModDelay& line, double delay);
  static void AdvanceLfo(State& s);

  ModDelay& a;
  ModDelay& b;
};
