#pragma once
#include "dsp/Biquad.h"

// The design of a filter that is swept every sample, carried from one
// sample's design to the next instead of being worked out afresh: the sine
// and cosine of the prewarp angle are turned through the angle's change, and
// a peak's linear gain is multiplied by the exponential of its exponent's
// change. Both changes are tiny from sample to sample, so short series are
// exact; a larger jump, and every Anchor, works the design out in full.
class SweptBiquad {
 public:
  // A design in full, from the same fields a Biquad is given.
  void Anchor(BiquadType type, double fc, double q, double gainDb);
  // The next sample's corner and gain (the type and q stay).
  void Step(double fc, double gainDb);
  void DesignInto(Biquad::Design* out) const {
    Biquad::DesignScaled(type, s, c, invQ, v, cut, out);
  }

 private:
  void TurnBy(double d);
  void GrowBy(double x);

  BiquadType type = BiquadType::Allpass;
  double invQ = 1.0;
  double angle = 0.0;  // pi fc as a Biquad limits it
  double s = 0.0;
  double c = 1.0;
  double exponent = 0.0;  // |gainDb| / 20, of which v is the power of ten
  double v = 1.0;
  bool cut = false;
};
