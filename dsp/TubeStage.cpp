#include "dsp/TubeStage.h"

#include <cmath>

void TubeStage::TrackPeak(double m) {
  if (++toggleCounter > 1) toggleCounter = 0;
  if (toggleCounter == 1) {
    if (peak > maxPeak) {
      maxPeak = peak;
      if (peak != 0.0) pendingNorm = 1.0 / peak;
      pendingReference = peak;
    } else {
      pendingNorm = 1.0;
      pendingReference = 1.0;
    }
    peak = 0.0;
  } else if (std::fabs(m) > peak) {
    peak = std::fabs(m);
  }
}
