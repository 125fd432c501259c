#pragma once
#include <cmath>

// A sine and its cosine carried from sample to sample by rotation instead of
// being evaluated afresh. Rounding makes the pair drift by about an ulp per
// step, so its owner re-anchors it from the true phase every block and at
// least every kMaxStepsBetweenAnchors steps.
class QuadratureOscillator {
 public:
  static constexpr int kMaxStepsBetweenAnchors = 1024;

  // Sets the pair to the sine and cosine of `phase` (radians).
  void Anchor(double phase);
  // Sets the fixed step Rotate() turns by.
  void SetStep(double step);

  // Turns by the fixed step: four multiplications and two additions.
  void Rotate() { Turn(stepSin, stepCos); }

  // Moves to a new phase close to the last one given (to Anchor or here),
  // turning by the difference. The difference of two nearby doubles is
  // exact, so the pair follows the very phases it is given, roundings and
  // all, rather than an idealised one.
  void FollowPhase(double phase) {
    const double angle = phase - lastPhase;
    lastPhase = phase;
    if (std::fabs(angle) <= kSmallAngle) {
      const double z = angle * angle;
      // sin to a^5 and cos to a^4: below kSmallAngle the next terms are
      // under 2e-20 of the result.
      Turn(angle + angle * (z * (-1.0 / 6.0 + z * (1.0 / 120.0))),
           1.0 - 0.5 * z + (z * z) * (1.0 / 24.0));
    } else {
      TurnByLarge(angle);
    }
  }

  double Sin() const { return s; }
  double Cos() const { return c; }

  // Counts a step; true when the pair is due to be re-anchored.
  bool StepDueForAnchor() { return ++stepsSinceAnchor >= kMaxStepsBetweenAnchors; }

  // The largest step the short series take: at 8 kHz and above, every
  // transport phase's step.
  static constexpr double kSmallAngle = 1.5e-3;

 private:
  friend class TransportSines;  // runs two channels' sines side by side

  void TurnByLarge(double angle);
  void Turn(double sinStep, double cosStep) {
    const double turnedSin = s * cosStep + c * sinStep;
    c = c * cosStep - s * sinStep;
    s = turnedSin;
  }

  double s = 0.0;
  double c = 1.0;
  double lastPhase = 0.0;
  double stepSin = 0.0;
  double stepCos = 1.0;
  int stepsSinceAnchor = 0;
};
