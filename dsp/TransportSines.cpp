#include "dsp/TransportSines.h"

#include <cmath>

#include "dsp/Maths.h"

namespace {

using Omega = TransportOmegas;

// The policy's sine of each lane.
template <class Maths, class Sample>
Sample SineOfLanes(Sample x) {
  double sines[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    sines[lane] = Maths::Sin(Lane(x, lane));
  }
  return FromLanes<Sample>(sines);
}

}  // namespace

template <class Sample>
void TransportClock<Sample>::ClearNonFinite() {
  double times[kMostLanes], wows[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    times[lane] = Lane(now, lane);
    wows[lane] = Lane(lastWow, lane);
    if (!std::isfinite(times[lane] + wows[lane])) {
      times[lane] = 0.0;
      wows[lane] = 1.0;
    }
  }
  now = FromLanes<Sample>(times);
  lastWow = FromLanes<Sample>(wows);
}

// The wow's phase needs the wobble's sine, so it comes last.
template <class Sample>
void TransportSines<Sample>::Anchor() {
  flutter.Anchor(Omega::kFlutter * now);
  wobble.Anchor(Omega::kWobble * now);
  readFlutter.Anchor(Omega::kReadFlutter * now);
  wow.Anchor(Omega::kWow * (now + Omega::kWowOffsetScale * wobble.Sin()));
}

// Each run starts from sines worked out afresh. A rotated sine strays from
// its phase's sine by an ulp or so a step; a few dozen steps keep that to a
// few ulps, where a thousand let it reach a hundred. At high sample rates
// that much moves the read point far enough to flip a single-precision
// rounding in the saturator now and then, and its crossovers carry a
// flipped rounding on for seconds.
template <class Sample>
void TransportSines<Sample>::Run(Sample sampleRate, int frames, Sample* wowOut,
                                 Sample* readFlutterOut) {
  for (int i = 0; i < frames; ++i) {
    if (i % QuadratureOscillator<Sample>::kMaxStepsBetweenAnchors == 0) Anchor();
    // The flutter as it was moves time on, then the sines follow.
    now = now + (1.0 + static_cast<double>(0.025f) * flutter.Sin()) / sampleRate;
    flutter.FollowPhase(Omega::kFlutter * now);
    wobble.FollowPhase(Omega::kWobble * now);
    readFlutter.FollowPhase(Omega::kReadFlutter * now);
    wow.FollowPhase(Omega::kWow * (now + Omega::kWowOffsetScale * wobble.Sin()));
    wowOut[i] = wow.Sin();
    readFlutterOut[i] = readFlutter.Sin();
  }
  if (frames > 0) lastWow = wowOut[frames - 1];
}

template <class Sample, class Maths>
void FreshTransportSines<Sample, Maths>::Run(Sample sampleRate, int frames, Sample* wowOut,
                                      Sample* readFlutterOut) {
  for (int i = 0; i < frames; ++i) {
    const Sample flutter = SineOfLanes<Maths>(Omega::kFlutter * now);
    now = now + (1.0 + static_cast<double>(0.025f) * flutter) / sampleRate;
    const Sample wobble = SineOfLanes<Maths>(Omega::kWobble * now);
    wowOut[i] = SineOfLanes<Maths>(Omega::kWow * (now + Omega::kWowOffsetScale * wobble));
    readFlutterOut[i] = SineOfLanes<Maths>(Omega::kReadFlutter * now);
  }
  if (frames > 0) lastWow = wowOut[frames - 1];
}

template class TransportClock<double>;
template class TransportClock<DoublePair>;
template class TransportSines<double>;
template class TransportSines<DoublePair>;
template class FreshTransportSines<double, ProductMaths>;
template class FreshTransportSines<DoublePair, ProductMaths>;
template class FreshTransportSines<double, LiteralMaths>;
template class FreshTransportSines<DoublePair, LiteralMaths>;
