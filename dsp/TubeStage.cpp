#include "dsp/TubeStage.h"

#include <cmath>

namespace {

double Sign(double x) { return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0); }

}  // namespace

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

double TubeStage::Process(double y, double level) {
  double m = (2.0 * level + 1.0) * y;
  TrackPeak(m);

  const double s = Sign(m);
  if (s != Sign(lastSign)) {
    activeNorm = pendingNorm;
    activeReference = pendingReference;
    lastSign = m;
  }

  const double k = 1.0 - 0.99 * level;
  const double a = std::fabs(m) * activeNorm;
  if (a > k) {
    const double r = a - k;
    const double headroom = 1.0 - k;
    // With no headroom the knee degenerates into a hard limit at k.
    double knee = k;
    if (headroom != 0.0) {
      const double ratio = r / headroom;
      knee = k + r / (1.0 + ratio * ratio);
    }
    m = knee * s * activeReference;
  }
  return m / (level + 1.0);
}
