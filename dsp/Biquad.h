#pragma once
#include <cstdint>

#include "dsp/DoublePair.h"

enum class BiquadType : int32_t {
  Lowpass = 0,
  Highpass = 1,
  Bandpass = 2,
  Notch = 3,
  Peak = 4,
  LowShelf = 5,
  HighShelf = 6,
  Allpass = 7,
};

// Second-order section, bilinear-transform designs pre-warped through
// K = tan(pi fc), run in transposed direct form II. The owner sets type, fc
// (cut-off / sample rate), q and gainDb, then calls CalcCoefficients; the
// state survives redesigns so the filter can be swept without clicks.
class Biquad {
 public:
  // The design the maths policy (dsp/Maths.h) makes.
  template <class Maths>
  void CalcCoefficients() {
    Maths::DesignBiquad(*this);
  }
  // The designs as written, through the tangent, with the policy's maths.
  // For a filter designed once whose rounded outputs are summed over a long
  // stretch, as the brown noise is: there the product's faster design, which
  // can differ in the last bit, would flip roundings that the sum then
  // carries for good.
  template <class Maths>
  void CalcTangentCoefficients();
  // The product's designs from the sine and cosine of the prewarp angle
  // (dsp/ScaledDesign.h), with q's reciprocal kept: one division per design
  // where the tangent's costs three or four.
  void CalcScaledCoefficients();

  double Process(double x) { return Step(x, b0, b1, b2, a1, a2, z1, z2); }

  // The transposed direct form II step, for one filter (double) or two side
  // by side (DoublePair).
  template <class Value>
  static Value Step(Value x, Value b0, Value b1, Value b2, Value a1, Value a2, Value& z1,
                    Value& z2) {
    const Value y = b0 * x + z1;
    z1 = b1 * x + z2 - a1 * y;
    z2 = b2 * x - a2 * y;
    return y;
  }

  // The step used by single-precision callers: input and output rounded to float.
  double ProcessRounded(double x) { return RoundedStep(x, b0, b1, b2, a1, a2, z1, z2); }
  template <class Value>
  static Value RoundedStep(Value x, Value b0, Value b1, Value b2, Value a1, Value a2, Value& z1,
                           Value& z2) {
    return Widen(RoundToFloat(Step(Widen(RoundToFloat(x)), b0, b1, b2, a1, a2, z1, z2)));
  }

  // The five coefficients of a design, to keep one and apply it later.
  struct Design {
    double b0, b1, b2, a1, a2;
  };
  // The design the maths policy makes for a filter of these fields.
  template <class Maths>
  static Design DesignFor(BiquadType type, double fc, double q, double gainDb) {
    Biquad filter;
    filter.type = type;
    filter.fc = fc;
    filter.q = q;
    filter.gainDb = gainDb;
    filter.CalcCoefficients<Maths>();
    return filter.Coefficients();
  }
  Design Coefficients() const { return {b0, b1, b2, a1, a2}; }
  void Apply(const Design& d) {
    b0 = d.b0;
    b1 = d.b1;
    b2 = d.b2;
    a1 = d.a1;
    a2 = d.a2;
  }

  // The memory of past samples; the design is kept.
  bool StateIsFinite() const;
  void ClearState();

  BiquadType type = BiquadType::Lowpass;
  double b0 = 1.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a1 = 0.0;
  double a2 = 0.0;
  double fc = 0.5;
  double q = 0.707;
  double gainDb = 0.0;
  double z1 = 0.0;
  double z2 = 0.0;

 private:
  double cachedQ = 0.0;
  double cachedInverseQ = 0.0;

  double InverseQ();

  template <class Maths>
  double Tangent() const;
  template <class Maths>
  double LinearGain() const;
  void SetCoefficients(double nb0, double nb1, double nb2, double na1, double na2);
  void DesignFromPoles(double k);
  void DesignPeak(double k, double v);
  void DesignLowShelf(double k, double v);
  void DesignHighShelf(double k, double v);
};
