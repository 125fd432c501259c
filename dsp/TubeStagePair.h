#pragma once
#include "dsp/DoublePair.h"
#include "dsp/TubeStage.h"

// Two tube stages side by side in the halves of vector registers. Where one
// stage takes a branch, the pair works out both ways and keeps, in each half,
// the one that stage would have taken, so each half equals TubeStage bit for
// bit. The states are taken from two stages and handed back to them.
class TubeStagePair {
 public:
  void Load(const TubeStage& left, const TubeStage& right);
  void Store(TubeStage& left, TubeStage& right) const;

  DoublePair Process(DoublePair y, DoublePair level) {
    DoublePair m = (2.0 * level + 1.0) * y;
    TrackPeak(m);

    const DoublePair s = Sign(m);
    const PairMask crossed = s != Sign(lastSign);
    activeNorm = Select(crossed, pendingNorm, activeNorm);
    activeReference = Select(crossed, pendingReference, activeReference);
    lastSign = Select(crossed, m, lastSign);

    const DoublePair k = 1.0 - 0.99 * level;
    const DoublePair a = Magnitude(m) * activeNorm;
    const DoublePair r = a - k;
    const DoublePair headroom = 1.0 - k;
    const DoublePair ratio = r / headroom;
    const DoublePair knee = Select(headroom != 0.0, k + r / (1.0 + ratio * ratio), k);
    m = Select(a > k, knee * s * activeReference, m);
    return m / (level + 1.0);
  }

 private:
  static DoublePair Sign(DoublePair x) {
    return Select(x > 0.0, BothHalves(1.0), Select(x < 0.0, BothHalves(-1.0), BothHalves(0.0)));
  }

  void TrackPeak(DoublePair m) {
    toggleCounter += 1;
    toggleCounter = toggleCounter > 1 ? 0 : toggleCounter;
    const PairMask collect = toggleCounter == 1;
    const PairMask higher = peak > maxPeak;
    const PairMask rising = collect & higher;
    const PairMask settling = collect & ~higher;
    maxPeak = Select(rising, peak, maxPeak);
    pendingNorm =
        Select(rising & (peak != 0.0), 1.0 / peak, Select(settling, BothHalves(1.0), pendingNorm));
    pendingReference = Select(rising, peak, Select(settling, BothHalves(1.0), pendingReference));
    const DoublePair am = Magnitude(m);
    peak = Select(collect, BothHalves(0.0), Select(am > peak, am, peak));
  }

  DoublePair peak;
  DoublePair maxPeak;
  DoublePair pendingNorm;
  DoublePair pendingReference;
  DoublePair activeNorm;
  DoublePair activeReference;
  DoublePair lastSign;
  PairMask toggleCounter;
};
