#pragma once

// Single-precision parameter smoother. The coefficient is fixed for 44.1 kHz
// and is deliberately not recomputed at other sample rates.
class OnePoleSmoother {
 public:
  OnePoleSmoother();

  // One step towards target; returns the new state.
  float Step(double target) {
    z = a * z + b * static_cast<float>(target);
    return z;
  }
  float Value() const { return z; }
  void Reset() { z = 0.0f; }
  bool StateIsFinite() const;

  float z = 0.0f;
  float a;
  float b;
  float timeMs = 50.0f;
  float rate = 44100.0f;
};
