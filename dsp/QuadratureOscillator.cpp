#include "dsp/QuadratureOscillator.h"

#include "dsp/IeeeMaths.h"

void QuadratureOscillator::Anchor(double phase) {
  s = ieee_maths::Sin(phase);
  c = ieee_maths::Cos(phase);
  lastPhase = phase;
  stepsSinceAnchor = 0;
}

void QuadratureOscillator::SetStep(double step) {
  stepSin = ieee_maths::Sin(step);
  stepCos = ieee_maths::Cos(step);
}

// Only at sample rates of a few kilohertz and below.
void QuadratureOscillator::TurnByLarge(double angle) {
  Turn(ieee_maths::Sin(angle), ieee_maths::Cos(angle));
}
