#pragma once
#include <cstdint>

// Tube-style soft knee of the tape channel. Every other call collects a peak;
// the normalisation learned from it is switched in only at a sign change
// (a zero crossing), so the knee never moves in the middle of a half-wave.
class TubeStage {
 public:
  // Returns the shaped sample, scaled back by 1 / (level + 1).
  double Process(double y, double level);

  double peak = 0.0;
  double maxPeak = -99999.0;
  double pendingNorm = 0.0;
  double pendingReference = 0.0;
  double activeNorm = 0.0;
  double activeReference = 0.0;
  double lastSign = -99999.0;
  int32_t toggleCounter = 0;

 private:
  void TrackPeak(double m);
};
