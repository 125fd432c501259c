#include "dsp/TransportSines.h"

#include <algorithm>
#include <cmath>

#include "dsp/DoublePair.h"

// The wow's phase needs the wobble's sine, so it comes last.
void TransportSines::Anchor(double time) {
  flutter.Anchor(flutterOmegaValue * time);
  wobble.Anchor(kWobbleOmega * time);
  readFlutter.Anchor(readFlutterOmegaValue * time);
  wow.Anchor(WowPhase(time));
}

namespace {

using Pair = DoublePair;
Pair Both(double v) { return BothHalves(v); }

}  // namespace

// One oscillator of each channel, side by side.
struct TransportSines::OscillatorPair {
  Pair s, c, lastPhase;

  OscillatorPair(const QuadratureOscillator& a, const QuadratureOscillator& b)
      : s{a.s, b.s}, c{a.c, b.c}, lastPhase{a.lastPhase, b.lastPhase} {}

  void StoreInto(QuadratureOscillator& a, QuadratureOscillator& b) const {
    a.s = s[0];
    a.c = c[0];
    a.lastPhase = lastPhase[0];
    b.s = s[1];
    b.c = c[1];
    b.lastPhase = lastPhase[1];
  }

  // QuadratureOscillator::FollowPhase on both halves.
  void FollowPhase(Pair phase) {
    const Pair angle = phase - lastPhase;
    lastPhase = phase;
    constexpr double kSmall = QuadratureOscillator::kSmallAngle;
    Pair sinD, cosD;
    if (BothWithin(angle, kSmall)) {
      const Pair z = angle * angle;
      sinD = angle + angle * (z * (Both(-1.0 / 6.0) + z * Both(1.0 / 120.0)));
      cosD = Both(1.0) - Both(0.5) * z + (z * z) * Both(1.0 / 24.0);
    } else {
      for (int lane = 0; lane < 2; ++lane) {
        QuadratureOscillator step;
        step.FollowPhase(angle[lane]);  // from phase 0: the step's own sine and cosine
        sinD[lane] = step.s;
        cosD[lane] = step.c;
      }
    }
    const Pair turnedSin = s * cosD + c * sinD;
    c = c * cosD - s * sinD;
    s = turnedSin;
  }
};

void TransportSines::AdvanceBoth(const Run& a, const Run& b, int frames) {
  TransportSines& x = *a.sines;
  TransportSines& y = *b.sines;
  const Pair flutterOmega{x.flutterOmegaValue, y.flutterOmegaValue};
  const Pair wowOmega{x.wowOmegaValue, y.wowOmegaValue};
  const Pair readFlutterOmega{x.readFlutterOmegaValue, y.readFlutterOmegaValue};
  const Pair rate{a.sampleRate, b.sampleRate};
  constexpr int kAnchorAt = QuadratureOscillator::kMaxStepsBetweenAnchors;
  for (int i = 0; i < frames;) {
    // Up to the next anchor of either channel, both run side by side.
    const int stepsLeft =
        kAnchorAt - 1 - std::max(x.flutter.stepsSinceAnchor, y.flutter.stepsSinceAnchor);
    const int together = std::min(frames - i, std::max(stepsLeft, 0));
    Pair time{*a.time, *b.time};
    OscillatorPair flutter(x.flutter, y.flutter);
    OscillatorPair wobble(x.wobble, y.wobble);
    OscillatorPair wow(x.wow, y.wow);
    OscillatorPair readFlutter(x.readFlutter, y.readFlutter);
    for (int end = i + together; i < end; ++i) {
      time = time + (Both(1.0) + Both(static_cast<double>(0.025f)) * flutter.s) / rate;
      flutter.FollowPhase(flutterOmega * time);
      wobble.FollowPhase(Both(kWobbleOmega) * time);
      readFlutter.FollowPhase(readFlutterOmega * time);
      wow.FollowPhase(wowOmega * (time + Both(kWowOffsetScale) * wobble.s));
      a.wow[i] = wow.s[0];
      b.wow[i] = wow.s[1];
      a.readFlutter[i] = readFlutter.s[0];
      b.readFlutter[i] = readFlutter.s[1];
    }
    flutter.StoreInto(x.flutter, y.flutter);
    wobble.StoreInto(x.wobble, y.wobble);
    wow.StoreInto(x.wow, y.wow);
    readFlutter.StoreInto(x.readFlutter, y.readFlutter);
    *a.time = time[0];
    *b.time = time[1];
    x.flutter.stepsSinceAnchor += together;
    y.flutter.stepsSinceAnchor += together;
    if (i == frames) break;
    // The sample at which either channel anchors goes one channel at a time.
    x.Advance(a.time, a.sampleRate);
    y.Advance(b.time, b.sampleRate);
    a.wow[i] = x.Wow();
    a.readFlutter[i] = x.ReadFlutter();
    b.wow[i] = y.Wow();
    b.readFlutter[i] = y.ReadFlutter();
    ++i;
  }
}
