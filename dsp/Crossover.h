#pragma once
#include "dsp/DoublePair.h"

// One split frequency in single precision, for one channel (float) or two
// side by side (FloatPair): low-pass and high-pass sections sharing their
// poles (a Linkwitz-Riley pair at q = 0.5), plus an all-pass with the same
// poles that aligns the phase of a band that bypasses the split.
template <class Float>
class Crossover {
 public:
  // Designs the split with the maths policy's sine and cosine.
  template <class Maths>
  void SetCrossover(float newFrequency, float newSampleRate);
  // Inline: the saturator runs four sections per sample.
  Float ProcessLowpass(Float x) { return RunSection(low, x); }
  Float ProcessHighpass(Float x) { return RunSection(high, x); }
  Float ProcessAllpass(Float x) { return RunSection(all, x); }

  // The memory of past samples of all three sections; the design is kept.
  bool StateIsFinite() const;
  void ClearState();

  // Direct form I, the poles shared with the other sections.
  struct Section {
    Float b0{}, b1{}, b2{};
    Float x1{}, x2{}, y1{}, y2{};
  };

  float frequency = 0.0f;
  float sampleRate = 0.0f;
  float q = 0.5f;
  Float a1{};
  Float a2{};
  Section low;
  Section high;
  Section all;

 private:
  Float RunSection(Section& s, Float x) const {
    const Float y = s.b0 * x + s.b1 * s.x1 + s.b2 * s.x2 - a1 * s.y1 - a2 * s.y2;
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
  }
};
