#pragma once
#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"

// Two filters of one type swept every sample, their designs carried from one
// sample to the next instead of worked out afresh: the sines and cosines of
// the prewarp angles are turned through the angles' changes, and a peak's
// linear gain is multiplied by the exponential of its exponent's change.
// The changes are tiny from sample to sample, so short series are exact; a
// larger jump, and every Anchor, works the design out in full. The two
// filters share the arithmetic, in the two halves of a vector register.
class SweptBiquadPair {
 public:
  // Designs in full, from the fields a Biquad is given, for filters a and b.
  void Anchor(BiquadType type, double q, double fcA, double gainDbA, double fcB, double gainDbB);
  // The next sample's corners and gains.
  void Step(double fcA, double gainDbA, double fcB, double gainDbB) {
    StepAngles(DoublePair{PrewarpAngle(fcA), PrewarpAngle(fcB)});
    if (type == BiquadType::Peak) StepGains(gainDbA, gainDbB);
  }
  void DesignInto(Biquad::Design* a, Biquad::Design* b) const;

 private:
  static double PrewarpAngle(double fc);
  void StepAngles(DoublePair next);
  void StepGains(double gainDbA, double gainDbB);
  void FullSinCos(int half);
  void FullGain(int half);

  BiquadType type = BiquadType::Allpass;
  DoublePair invQ = BothHalves(1.0);
  DoublePair angle = BothHalves(0.0);  // pi fc as a Biquad limits it
  DoublePair s = BothHalves(0.0);
  DoublePair c = BothHalves(1.0);
  DoublePair exponent = BothHalves(0.0);  // |gainDb| / 20, of which v is the power of ten
  DoublePair v = BothHalves(1.0);
  bool cut[2] = {false, false};
};
