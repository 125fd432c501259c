#pragma once
#include "dsp/QuadratureOscillator.h"

// One channel's run of transport sines: its sines and time, which the run
// moves on, and where each sample's wow and read flutter go.
template <class Sines>
struct TransportSineRun {
  Sines* sines;
  double* time;
  double sampleRate;
  double* wow;
  double* readFlutter;
};

// The tape transport's four sines carried by rotation, as the product's
// maths have them (FreshTransportSines works them out afresh): flutter,
// which also stretches time, the wobble that bends the wow, the wow itself
// and the read point's flutter, each a sine of a phase that is an omega times the
// transport's time. Time is accumulated exactly as written; each sine is
// carried by rotation from one phase to the next (see QuadratureOscillator).
class TransportSines {
 public:
  static constexpr double kWobbleOmega = 3.141592653589793 * static_cast<double>(2.65f);
  static constexpr double kWowOffsetScale = static_cast<double>(0.01f);

  void SetOmegas(double flutterOmega, double wowOmega, double readFlutterOmega) {
    flutterOmegaValue = flutterOmega;
    wowOmegaValue = wowOmega;
    readFlutterOmegaValue = readFlutterOmega;
  }
  // Sets every sine from `time`.
  void Anchor(double time);

  // One sample: the flutter as it was moves `time` on, then the sines follow.
  void Advance(double* time, double sampleRate) {
    *time += (1.0 + static_cast<double>(0.025f) * flutter.Sin()) / sampleRate;
    const double t = *time;
    if (flutter.StepDueForAnchor()) {
      Anchor(t);
    } else {
      flutter.FollowPhase(flutterOmegaValue * t);
      wobble.FollowPhase(kWobbleOmega * t);
      readFlutter.FollowPhase(readFlutterOmegaValue * t);
    }
    wow.FollowPhase(WowPhase(t));
  }

  double Wow() const { return wow.Sin(); }
  double ReadFlutter() const { return readFlutter.Sin(); }

  // `frames` samples of two channels' sines at once, in the two halves of
  // the processor's vector registers: exactly what Advance would give each,
  // in half the instructions. Writes each sample's wow and read flutter.
  using Run = TransportSineRun<TransportSines>;
  static void AdvanceBoth(const Run& a, const Run& b, int frames);

 private:
  struct OscillatorPair;

  double WowPhase(double t) const { return wowOmegaValue * (t + kWowOffsetScale * wobble.Sin()); }

  QuadratureOscillator flutter;
  QuadratureOscillator wobble;
  QuadratureOscillator wow;
  QuadratureOscillator readFlutter;
  double flutterOmegaValue = 0.0;
  double wowOmegaValue = 0.0;
  double readFlutterOmegaValue = 0.0;
};
