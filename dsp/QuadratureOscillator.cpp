#include "dsp/QuadratureOscillator.h"

#include <cmath>

#include "dsp/IeeeMaths.h"

namespace {

constexpr int kMostLanes = 2;

}  // namespace

template <class Sample>
void QuadratureOscillator<Sample>::Anchor(Sample phase) {
  double sines[kMostLanes], cosines[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    sines[lane] = ieee_maths::Sin(Lane(phase, lane));
    cosines[lane] = ieee_maths::Cos(Lane(phase, lane));
  }
  s = FromLanes<Sample>(sines);
  c = FromLanes<Sample>(cosines);
  lastPhase = phase;
  stepsSinceAnchor = 0;
}

template <class Sample>
void QuadratureOscillator<Sample>::SetStep(Sample step) {
  double sines[kMostLanes], cosines[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    sines[lane] = ieee_maths::Sin(Lane(step, lane));
    cosines[lane] = ieee_maths::Cos(Lane(step, lane));
  }
  stepSin = FromLanes<Sample>(sines);
  stepCos = FromLanes<Sample>(cosines);
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
