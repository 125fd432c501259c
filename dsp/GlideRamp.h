#pragma once

// Moves a value from start to target along an S-shaped path: constant
// acceleration, cruise, then symmetric deceleration. Units are the owner's
// (seconds stepped by 1/fs, or samples stepped by 1).
class GlideRamp {
 public:
  void Start(double from, double to, double newDuration, double newAccelTime);
  // The idle test is inline: owners step their ramps every sample, mostly idle.
  void Step(double dt) {
    if (!(duration < 0.0)) Advance(dt);
  }
  bool IsRunning() const { return elapsed < duration; }
  bool IsFinite() const;

  double start = 0.0;
  double target = 0.0;
  double duration = -1.0;  // negative while idle
  double invDuration = 0.0;
  double accelTime = 0.0;
  double elapsed = 0.0;
  double accel = 0.0;
  double velocity = 0.0;
  double direction = 1.0;
  double value = 0.0;
  double accelDistance = 0.0;
  double decelDistance = 0.0;

 private:
  void Advance(double dt);
};
