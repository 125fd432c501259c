#pragma once
#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"
#include "dsp/ScaledDesign.h"

// Two biquads side by side in the halves of vector registers, each half bit
// for bit its own filter. The memories are taken from two filters and handed
// back to them; the designs are loaded with them or applied per sample.
struct BiquadPair {
  void Load(const Biquad& l, const Biquad& r) {
    Apply(l.Coefficients(), r.Coefficients());
    z1 = Halves(l, r, &Biquad::z1);
    z2 = Halves(l, r, &Biquad::z2);
  }
  void Apply(const ScaledCoefficients<DoublePair>& designs) {
    b0 = designs.b0;
    b1 = designs.b1;
    b2 = designs.b2;
    a1 = designs.a1;
    a2 = designs.a2;
  }
  // One half of a pair of designs.
  static Biquad::Design Half(const ScaledCoefficients<DoublePair>& designs, int half) {
    return {designs.b0[half], designs.b1[half], designs.b2[half], designs.a1[half],
            designs.a2[half]};
  }
  void Apply(const Biquad::Design& l, const Biquad::Design& r) {
    b0 = DoublePair{l.b0, r.b0};
    b1 = DoublePair{l.b1, r.b1};
    b2 = DoublePair{l.b2, r.b2};
    a1 = DoublePair{l.a1, r.a1};
    a2 = DoublePair{l.a2, r.a2};
  }
  void Store(Biquad& l, Biquad& r) const {
    l.Apply({b0[0], b1[0], b2[0], a1[0], a2[0]});
    r.Apply({b0[1], b1[1], b2[1], a1[1], a2[1]});
    StoreHalves(z1, l, r, &Biquad::z1);
    StoreHalves(z2, l, r, &Biquad::z2);
  }
  // Biquad::ProcessRounded of each half.
  DoublePair ProcessRounded(DoublePair x) {
    return Widen(RoundToFloat(Biquad::Step(Widen(RoundToFloat(x)), b0, b1, b2, a1, a2, z1, z2)));
  }

  DoublePair b0, b1, b2, a1, a2, z1, z2;
};
