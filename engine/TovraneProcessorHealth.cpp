// The guard at the end of every block: a non-finite value born anywhere in
// the chain (an overflow, a design pushed past its limits) never reaches the
// host and never lodges in the filters and delay lines for good.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/TovraneProcessor.h"

// Anything beyond the largest float would reach a single-precision host as
// infinity; NaN fails the comparison as well. The loop has no early exit, so
// the compiler can run it over several samples at a time.
bool TovraneProcessor::OutputIsSound(const double* const* outputs, int frames) {
  bool sound = true;
  for (int i = 0; i < frames; ++i) {
    sound &= std::fabs(outputs[0][i]) <= FLT_MAX;
    sound &= std::fabs(outputs[1][i]) <= FLT_MAX;
  }
  return sound;
}

void TovraneProcessor::SilenceOutput(double* const* outputs, int frames) {
  if (frames <= 0) return;
  std::fill(outputs[0], outputs[0] + frames, 0.0);
  std::fill(outputs[1], outputs[1] + frames, 0.0);
}

bool TovraneProcessor::SignalStateIsFinite() const {
  const double modulation = phase[0] + phase[1] + phase[2] + phase[3];
  return std::isfinite(modulation) && leftChannel.StateIsFinite() && rightChannel.StateIsFinite() &&
         quadDelayLineMid.StateIsFinite() && quadDelayLineSide.StateIsFinite() &&
         combDelayLeft.StateIsFinite() && combDelayRight.StateIsFinite() &&
         quadPeakMid.StateIsFinite() && quadPeakSide.StateIsFinite() &&
         phaseAllpassLeft.StateIsFinite() && phaseAllpassRight.StateIsFinite() &&
         inputGainSmoother.StateIsFinite() && outputGainSmoother.StateIsFinite() &&
         quadMixSmoother.StateIsFinite();
}

void TovraneProcessor::ClearSignalState() {
  leftChannel.ClearSignal();
  rightChannel.ClearSignal();
  for (ModDelay* line : {&quadDelayLineMid, &quadDelayLineSide, &combDelayLeft, &combDelayRight})
    line->ClearSignal();
  for (Biquad* filter : {&quadPeakMid, &quadPeakSide, &phaseAllpassLeft, &phaseAllpassRight})
    filter->ClearState();
  for (OnePoleSmoother* smoother : {&inputGainSmoother, &outputGainSmoother, &quadMixSmoother}) {
    if (!smoother->StateIsFinite()) smoother->Reset();
  }
  // The gain factors are recomputed from the smoothers at the next sample.
  inputGain = GainFactor();
  outputGain = GainFactor();
  for (double& p : phase) {
    if (!std::isfinite(p)) p = 0.0;
  }
}
