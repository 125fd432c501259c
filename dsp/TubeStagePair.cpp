#include "dsp/TubeStagePair.h"

void TubeStagePair::Load(const TubeStage& left, const TubeStage& right) {
  peak = DoublePair{left.peak, right.peak};
  maxPeak = DoublePair{left.maxPeak, right.maxPeak};
  pendingNorm = DoublePair{left.pendingNorm, right.pendingNorm};
  pendingReference = DoublePair{left.pendingReference, right.pendingReference};
  activeNorm = DoublePair{left.activeNorm, right.activeNorm};
  activeReference = DoublePair{left.activeReference, right.activeReference};
  lastSign = DoublePair{left.lastSign, right.lastSign};
  toggleCounter = PairMask{left.toggleCounter, right.toggleCounter};
}

void TubeStagePair::Store(TubeStage& left, TubeStage& right) const {
  TubeStage* const stages[2] = {&left, &right};
  for (int half = 0; half < 2; ++half) {
    TubeStage& stage = *stages[half];
    stage.peak = peak[half];
    stage.maxPeak = maxPeak[half];
    stage.pendingNorm = pendingNorm[half];
    stage.pendingReference = pendingReference[half];
    stage.activeNorm = activeNorm[half];
    stage.activeReference = activeReference[half];
    stage.lastSign = lastSign[half];
    stage.toggleCounter = static_cast<int32_t>(toggleCounter[half]);
  }
}
