#pragma once
#include <cstdint>

#include "dsp/DoublePair.h"
#include "dsp/GlideRamp.h"

// Fixed one-second circular delay lines with a fractional read point, a
// triangle LFO scaling the delay time, and a level dip while the delay time
// glides (which masks the pitch bend of the glide). One line (double) or two
// side by side (DoublePair): the arithmetic in the lanes of a sample, the
// buffers read and written lane by lane, and each lane bit for bit its own
// line. The lines of a pair are written at the same index.
template <class Sample>
class ModDelay {
 public:
  static constexpr int32_t kLength = 44100;
  static constexpr int kLanes = Lanes<Sample>::kCount;

  ModDelay();
  ModDelay(const ModDelay&) = delete;
  ModDelay& operator=(const ModDelay&) = delete;

  // `frames` samples: x in, y out, each scaled by its frame's gain. The LFO
  // depth must not change during a run, which holds as the owner sets it
  // between runs.
  void Run(const Sample* x, const Sample* gain, Sample* y, int frames);
  // A run of one.
  Sample Process(Sample x, Sample gain);

  // Starts lane's glide to `target` samples over a quarter of sampleRate,
  // unless the lane is already at, or already gliding to, the target.
  void GlideTo(int lane, double target);
  void SetLfo(double rate, double depth) {
    lfoRate = Broadcast<Sample>(rate);
    lfoDepth = Broadcast<Sample>(depth);
  }

  // Whether the read points, the modulation and the newest samples are finite.
  bool StateIsFinite() const;
  // Empties the lines. A read point, delay time, glide or LFO that is no
  // longer finite starts again from where a new line would be; finite ones
  // carry on, so the settings the owner made stay in force.
  void ClearSignal();

  double buffer[kLanes][kLength];
  int32_t writeIndex = 0;
  Sample readPosition = Broadcast<Sample>(0.0);
  Sample delay = Broadcast<Sample>(220.0);
  Sample feedback = Broadcast<Sample>(0.0);
  Sample lfo = Broadcast<Sample>(1.0);
  Sample lfoDirection = Broadcast<Sample>(1.0);
  Sample lfoRate = Broadcast<Sample>(0.125 / 44100.0);
  Sample lfoDepth = Broadcast<Sample>(0.25);
  GlideRamp delayRamp[kLanes];
  double sampleRate = 44100.0;  // sizes the glides

 private:
  struct State;
  Sample Step(State& s, Sample x, Sample gain);
  void AdvanceLfo(State& s) const;
  bool Gliding() const;
  void Dip(int32_t written);
  Sample Glide(Sample current);
};
