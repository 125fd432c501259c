#pragma once
#include <cmath>

#include "dsp/DoublePair.h"

// Tube-style soft knee of the tape channel, for one channel (double) or two
// side by side (DoublePair). Every other call collects a peak; the
// normalisation learned from it is switched in only at a sign change (a zero
// crossing), so the knee never moves in the middle of a half-wave. Where one
// channel would take a branch, both ways are worked out and each lane keeps
// the one its channel takes, so every lane is its own stage bit for bit.
template <class Sample>
class TubeStage {
 public:
  using Mask = typename Lanes<Sample>::Mask;
  using Count = typename Lanes<Sample>::Count;

  // Returns the shaped sample, scaled back by 1 / (level + 1). Inline: it
  // sits in the middle of the tape channel's per-sample chain.
  Sample Process(Sample y, Sample level) {
    Sample m = (2.0 * level + 1.0) * y;
    TrackPeak(m);

    const Sample s = Sign(m);
    const Mask crossed = s != Sign(lastSign);
    activeNorm = Select(crossed, pendingNorm, activeNorm);
    activeReference = Select(crossed, pendingReference, activeReference);
    lastSign = Select(crossed, m, lastSign);

    const Sample k = 1.0 - 0.99 * level;
    const Sample a = Magnitude(m) * activeNorm;
    const Sample r = a - k;
    const Sample headroom = 1.0 - k;
    const Sample ratio = r / headroom;
    // With no headroom the knee degenerates into a hard limit at k.
    const Sample knee = Select(headroom != 0.0, k + r / (1.0 + ratio * ratio), k);
    m = Select(a > k, knee * s * activeReference, m);
    return m / (level + 1.0);
  }

  bool StateIsFinite() const {
    return AllFinite(peak + maxPeak + pendingNorm + pendingReference + activeNorm +
                     activeReference + lastSign);
  }
  // Forgets the peaks learned so far, as a new stage does.
  void ClearState() { *this = TubeStage(); }

  Sample peak = Broadcast<Sample>(0.0);
  Sample maxPeak = Broadcast<Sample>(-99999.0);
  Sample pendingNorm = Broadcast<Sample>(0.0);
  Sample pendingReference = Broadcast<Sample>(0.0);
  Sample activeNorm = Broadcast<Sample>(0.0);
  Sample activeReference = Broadcast<Sample>(0.0);
  Sample lastSign = Broadcast<Sample>(-99999.0);
  Count toggleCounter = Count{};

 private:
  static Sample Sign(Sample x) {
    const Sample one = Broadcast<Sample>(1.0);
    const Sample zero = Broadcast<Sample>(0.0);
    return Select(x > 0.0, one, Select(x < 0.0, -one, zero));
  }

  void TrackPeak(Sample m) {
    toggleCounter += 1;
    toggleCounter = Select(toggleCounter > 1, Count{}, toggleCounter);
    const Mask collect = toggleCounter == 1;
    const Mask higher = peak > maxPeak;
    const Mask rising = collect & higher;
    const Mask settling = AndNot(collect, higher);
    const Sample one = Broadcast<Sample>(1.0);
    maxPeak = Select(rising, peak, maxPeak);
    pendingNorm = Select(rising & (peak != 0.0), 1.0 / peak, Select(settling, one, pendingNorm));
    pendingReference = Select(rising, peak, Select(settling, one, pendingReference));
    const Sample am = Magnitude(m);
    peak = Select(collect, Broadcast<Sample>(0.0), Select(am > peak, am, peak));
  }
};
