#include "dsp/QuadratureOscillator.h"

#include <cmath>

#include "dsp/IeeeMaths.h"

namespace {

// The sine and cosine of every lane's angle, worked out in full.
template <class Sample>
void FullSinCos(Sample angle, Sample* sine, Sample* cosine) {
  double sines[kMostLanes], cosines[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    sines[lane] = ieee_maths::Sin(Lane(angle, lane));
    cosines[lane] = ieee_maths::Cos(Lane(angle, lane));
  }
  *sine = FromLanes<Sample>(sines);
  *cosine = FromLanes<Sample>(cosines);
}

}  // namespace

template <class Sample>
void QuadratureOscillator<Sample>::Anchor(Sample phase) {
  FullSinCos(phase, &s, &c);
  lastPhase = phase;
  stepsSinceAnchor = 0;
}

template <class Sample>
void QuadratureOscillator<Sample>::SetStep(Sample step) {
  FullSinCos(step, &stepSin, &stepCos);
}

template <class Sample>
void QuadratureOscillator<Sample>::TurnByLarge(Sample angle) {
  double sines[kMostLanes], cosines[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    const double a = Lane(angle, lane);
    const bool small = std::fabs(a) <= kSmallAngle;
    sines[lane] = small ? QuadratureOscillator<double>::SmallSin(a) : ieee_maths::Sin(a);
    cosines[lane] = small ? QuadratureOscillator<double>::SmallCos(a) : ieee_maths::Cos(a);
  }
  Turn(FromLanes<Sample>(sines), FromLanes<Sample>(cosines));
}

template class QuadratureOscillator<double>;
template class QuadratureOscillator<DoublePair>;
