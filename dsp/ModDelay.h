#pragma once
#include <cstdint>

#include "dsp/GlideRamp.h"

// Fixed one-second circular delay with a fractional read point, a triangle LFO
// scaling the delay time, and a level dip while the delay time glides (which
// masks the pitch bend of the glide).
class ModDelay {
 public:
  static constexpr int32_t kLength = 44100;

  ModDelay();
  void Init();
  double Process(double x);

  // Whether the read point, the modulation and the newest sample are finite.
  bool StateIsFinite() const;
  // Empties the line. A read point, delay time, glide or LFO that is no
  // longer finite starts again from where a new line would be; finite ones
  // carry on, so the settings the owner made stay in force.
  void ClearSignal();

  double buffer[kLength];
  int32_t length = kLength;
  int32_t writeIndex = 0;
  double lfoDirection = 1.0;
  double readPosition = 0.0;
  GlideRamp delayRamp;
  double sampleRate = 44100.0;  // for the owner, which sizes glides from it
  double delay = 220.0;
  double feedback = 0.0;
  double gain = 0.5;
  double lfoRate = 0.125 / 44100.0;
  double lfoDepth = 0.25;
  double lfo = 1.0;

  // The longest delay the LFO's stretch leaves inside the buffer.
  double LongestDelay() {
    if (lfoDepth != longestFor || length != longestLength) {
      longestFor = lfoDepth;
      longestLength = length;
      longest = length / (1.0 + lfoDepth);
    }
    return longest;
  }

 private:
  void LimitDelay();
  void AdvanceLfo();

  // length / (1 + lfoDepth) for the depth and length it was computed from:
  // the owner sets the depth once per block, the line runs every sample.
  double longestFor = -1.0;
  int32_t longestLength = 0;
  double longest = 0.0;
};
