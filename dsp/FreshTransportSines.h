#pragma once
#include "dsp/TransportSines.h"

// The tape transport's sines as written: flutter, which also stretches
// time, the wobble that bends the wow, the wow and the read point's flutter,
// each worked out afresh from the transport's time at every sample. The same
// shape as TransportSines, which carries them by rotation.
class FreshTransportSines {
 public:
  void SetOmegas(double flutterOmega, double wowOmega, double readFlutterOmega) {
    flutterOmegaValue = flutterOmega;
    wowOmegaValue = wowOmega;
    readFlutterOmegaValue = readFlutterOmega;
  }
  // Nothing is carried, so there is nothing to start again from `time`.
  void Anchor(double) {}
  // One sample: the flutter at the time as it was moves `time` on, then the
  // other sines follow it.
  void Advance(double* time, double sampleRate);
  double Wow() const { return wow; }
  double ReadFlutter() const { return readFlutter; }

  using Run = TransportSineRun<FreshTransportSines>;
  static void AdvanceBoth(const Run& a, const Run& b, int frames);

 private:
  double flutterOmegaValue = 0.0;
  double wowOmegaValue = 0.0;
  double readFlutterOmegaValue = 0.0;
  double wow = 0.0;
  double readFlutter = 0.0;
};
