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

  double Sin() const { return s; }
  double Cos() const { return c; }

  // Counts a step; true when the pair is due to be re-anchored.
  bool StepDueForAnchor() { return ++stepsSinceAnchor >= kMaxStepsBetweenAnchors; }

 private:
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
