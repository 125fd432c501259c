#pragma once
#include <cmath>
#include <cstdint>

// Tube-style soft knee of the tape channel. Every other call collects a peak;
// the normalisation learned from it is switched in only at a sign change
// (a zero crossing), so the knee never moves in the middle of a half-wave.
class TubeStage {
 public:
  // Returns the shaped sample, scaled back by 1 / (level + 1). Inline: it
  // sits in the middle of the tape channel's per-sample chain.
  double Process(double y, double level) {
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

  bool StateIsFinite() const {
    return std::isfinite(peak + maxPeak + pendingNorm + pendingReference + activeNorm +
                         activeReference + lastSign);
  }
  // Forgets the peaks learned so far, as a new stage does.
  void ClearState() { *this = TubeStage(); }

  double peak = 0.0;
  double maxPeak = -99999.0;
  double pendingNorm = 0.0;
  double pendingReference = 0.0;
  double activeNorm = 0.0;
  double activeReference = 0.0;
  double lastSign = -99999.0;
  int32_t toggleCounter = 0;

 private:
  static double Sign(double x) { return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0); }
  void TrackPeak(double m);
};
