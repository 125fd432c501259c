#include "dsp/QuadratureOscillator.h"

#include "dsp/IeeeMaths.h"

void QuadratureOscillator::Anchor(double phase) {
  s = ieee_maths::Sin(phase);
  c = ieee_maths::Cos(phase);
  stepsSinceAnchor = 0;
}

void QuadratureOscillator::SetStep(double step) {
  stepSin = ieee_maths::Sin(step);
  stepCos = ieee_maths::Cos(step);
}
