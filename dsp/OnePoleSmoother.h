#pragma once

// Single-precision parameter smoother. The coefficient, worked out with the
// maths policy's exponential, is fixed for 44.1 kHz and is deliberately not
// recomputed at other sample rates.
template <class Maths>
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
