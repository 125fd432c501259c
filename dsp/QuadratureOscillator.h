#pragma once
#include <cmath>

// A sine and its cosine carried from sample to sample by rotation instead of
// being evaluated afresh: four multiplications and two additions per step.
// Rounding makes the pair drift by about an ulp per step, so its owner
// re-anchors it from the true phase every block and at least every
// kMaxStepsBetweenAnchors steps.
class QuadratureOscillator {
 public:
  static constexpr int kMaxStepsBetweenAnchors = 1024;

  // Sets the pair to the sine and cosine of `phase` (radians).
  void Anchor(double phase);
  // The same for the exact phase + error, where error is tiny next to an ulp of phase.
  void Anchor(double phase, double error);
  // Sets the fixed step Rotate() turns by.
  void SetStep(double step);

  // Turns by the fixed step.
  void Rotate() { Turn(stepSin, stepCos); }
  // Turns by a small angle that changes every step. The short series are
  // exact to the last bit below kSmallAngle; larger angles take the full
  // functions.
  void RotateBy(double angle) {
    if (std::fabs(angle) <= kSmallAngle) {
      Turn(SmallSin(angle), SmallCos(angle));
    } else {
      RotateByLarge(angle);
    }
  }

  double Sin() const { return s; }
  double Cos() const { return c; }
  // sin(phase + d) for |d| of a few ulp of the phase: the first-order term is exact enough.
  double SinNudged(double d) const { return s + c * d; }

  // Counts a step; true when the pair is due to be re-anchored.
  bool StepDueForAnchor() { return ++stepsSinceAnchor >= kMaxStepsBetweenAnchors; }

  static constexpr double kSmallAngle = 2e-3;
  // sin and cos of |a| <= kSmallAngle (plus the transport's wow offset, up
  // to 0.02, which the longer forms below cover).
  static double SmallSin(double a) {
    const double z = a * a;
    return a + a * (z * (-1.0 / 6.0 + z * (1.0 / 120.0 + z * (-1.0 / 5040.0 + z * (1.0 / 362880.0)))));
  }
  static double SmallCos(double a) {
    const double z = a * a;
    return 1.0 - 0.5 * z + (z * z) * (1.0 / 24.0 + z * (-1.0 / 720.0 + z * (1.0 / 40320.0)));
  }

 private:
  void RotateByLarge(double angle);
  void Turn(double sinStep, double cosStep) {
    const double turnedSin = s * cosStep + c * sinStep;
    c = c * cosStep - s * sinStep;
    s = turnedSin;
  }

  double s = 0.0;
  double c = 1.0;
  double stepSin = 0.0;
  double stepCos = 1.0;
  int stepsSinceAnchor = 0;
};
