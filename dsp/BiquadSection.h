#pragma once
#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"
#include "dsp/ScaledDesign.h"

// A biquad's running part for one channel (double) or two side by side
// (DoublePair): its coefficients and its memory, each lane bit for bit its
// own filter. The designs come from Biquad, the same for every lane, or
// from a pair of designs made side by side.
template <class Sample>
struct BiquadSection {
  void SetDesign(const Biquad::Design& d) {
    b0 = Broadcast<Sample>(d.b0);
    b1 = Broadcast<Sample>(d.b1);
    b2 = Broadcast<Sample>(d.b2);
    a1 = Broadcast<Sample>(d.a1);
    a2 = Broadcast<Sample>(d.a2);
  }
  void SetDesigns(const ScaledCoefficients<Sample>& d) {
    b0 = d.b0;
    b1 = d.b1;
    b2 = d.b2;
    a1 = d.a1;
    a2 = d.a2;
  }
  // Rounded in, double inside, rounded out, as single-precision stages use it.
  Sample ProcessRounded(Sample x) { return Biquad::RoundedStep(x, b0, b1, b2, a1, a2, z1, z2); }

  bool StateIsFinite() const { return AllFinite(z1 + z2); }
  void ClearState() { z1 = z2 = Sample{}; }

  Sample b0 = Broadcast<Sample>(1.0);
  Sample b1{}, b2{}, a1{}, a2{};
  Sample z1{}, z2{};
};
