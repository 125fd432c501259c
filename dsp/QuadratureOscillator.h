#pragma once
#include "dsp/DoublePair.h"

// A sine and its cosine carried from sample to sample by rotation instead of
// being evaluated afresh, for one phase (double) or two side by side
// (DoublePair). Rounding makes the pair drift by about an ulp per step, so
// its owner re-anchors it from the true phase every block or run and at
// least every kMaxStepsBetweenAnchors steps.
template <class Sample>
class QuadratureOscillator {
 public:
  static constexpr int kMaxStepsBetweenAnchors = 1024;
  // The largest step the short series take: at 8 kHz and above, every
  // transport phase's step.
  static constexpr double kSmallAngle = 1.5e-3;

  // Sets the pair to the sine and cosine of `phase` (radians).
  void Anchor(Sample phase);
  // Sets the fixed step Rotate() turns by.
  void SetStep(Sample step);

  // Turns by the fixed step: four multiplications and two additions.
  void Rotate() { Turn(stepSin, stepCos); }

  // Moves to a new phase close to the last one given (to Anchor or here),
  // turning by the difference. The difference of two nearby doubles is
  // exact, so the pair follows the very phases it is given, roundings and
  // all, rather than an idealised one.
  void FollowPhase(Sample phase) {
    const Sample angle = phase - lastPhase;
    lastPhase = phase;
    if (AllWithin(angle, kSmallAngle)) {
      Turn(SmallSin(angle), SmallCos(angle));
    } else {
      TurnByLarge(angle);
    }
  }

  Sample Sin() const { return s; }
  Sample Cos() const { return c; }

  // Counts a step; true when the pair is due to be re-anchored.
  bool StepDueForAnchor() { return ++stepsSinceAnchor >= kMaxStepsBetweenAnchors; }

 private:
  friend class QuadratureOscillator<DoublePair>;  // a lane's small turn is its own

  // sin to a^5 and cos to a^4: below kSmallAngle the next terms are under
  // 2e-20 of the result.
  static Sample SmallSin(Sample angle) {
    const Sample z = angle * angle;
    return angle + angle * (z * (-1.0 / 6.0 + z * (1.0 / 120.0)));
  }
  static Sample SmallCos(Sample angle) {
    const Sample z = angle * angle;
    return 1.0 - 0.5 * z + (z * z) * (1.0 / 24.0);
  }
  // Each lane by its own rule: the series where its angle is small, the
  // full sine and cosine where not, which only low sample rates need.
  void TurnByLarge(Sample angle);
  void Turn(Sample sinStep, Sample cosStep) {
    const Sample turnedSin = s * cosStep + c * sinStep;
    c = c * cosStep - s * sinStep;
    s = turnedSin;
  }

  Sample s = Broadcast<Sample>(0.0);
  Sample c = Broadcast<Sample>(1.0);
  Sample lastPhase = Broadcast<Sample>(0.0);
  Sample stepSin = Broadcast<Sample>(0.0);
  Sample stepCos = Broadcast<Sample>(1.0);
  int stepsSinceAnchor = 0;
};
