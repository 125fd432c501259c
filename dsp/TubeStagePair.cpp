#include "dsp/TubeStagePair.h"

void TubeStagePair::Load(const TubeStage& left, const TubeStage& right) {
  peak = Halves(left, right, &TubeStage::peak);
  maxPeak = Halves(left, right, &TubeStage::maxPeak);
  pendingNorm = Halves(left, right, &TubeStage::pendingNorm);
  pendingReference = Halves(left, right, &TubeStage::pendingReference);
  activeNorm = Halves(left, right, &TubeStage::activeNorm);
  activeReference = Halves(left, right, &TubeStage::activeReference);
  lastSign = Halves(left, right, &TubeStage::lastSign);
  toggleCounter = PairMask{left.toggleCounter, right.toggleCounter};
}

void TubeStagePair::Store(TubeStage& left, TubeStage& right) const {
  StoreHalves(peak, left, right, &TubeStage::peak);
  StoreHalves(maxPeak, left, right, &TubeStage::maxPeak);
  StoreHalves(pendingNorm, left, right, &TubeStage::pendingNorm);
  StoreHalves(pendingReference, left, right, &TubeStage::pendingReference);
  StoreHalves(activeNorm, left, right, &TubeStage::activeNorm);
  StoreHalves(activeReference, left, right, &TubeStage::activeReference);
  StoreHalves(lastSign, left, right, &TubeStage::lastSign);
  left.toggleCounter = static_cast<int32_t>(toggleCounter[0]);
  right.toggleCounter = static_cast<int32_t>(toggleCounter[1]);
}
