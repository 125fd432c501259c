#pragma once
#include <cstdint>

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
  void CalcCoefficients();

  double Process(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x + z2 - a1 * y;
    z2 = b2 * x - a2 * y;
    return y;
  }

  // The step used by single-precision callers: input and output rounded to float.
  double ProcessRounded(double x) { return static_cast<float>(Process(static_cast<float>(x))); }

  // The five coefficients of a design, to keep one and apply it later.
  struct Design {
    double b0, b1, b2, a1, a2;
  };
  Design Coefficients() const { return {b0, b1, b2, a1, a2}; }
  void Apply(const Design& d) {
    b0 = d.b0;
    b1 = d.b1;
    b2 = d.b2;
    a1 = d.a1;
    a2 = d.a2;
  }

  // The product build's design of every type but the shelves from the sine
  // and cosine of the prewarp angle pi fc, 1/q, the peak's linear gain v and
  // whether it cuts (gainDb < 0). Written in place: a design returned by
  // value is stored piecewise and read back whole, which stalls the
  // processor's store forwarding every time.
  static void DesignScaled(BiquadType type, double s, double c, double invQ, double v, bool cut,
                           Design* out);

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

  // 1, k and k^2 of a design, each multiplied by cos^2 of the prewarp angle.
  struct ScaledPowers {
    double one, k, kk;
  };
  void CalcFromSineAndCosine();
  double InverseQ();
  static void PolesScaled(BiquadType type, const ScaledPowers& p, double invQ, Design* out);
  static void PeakScaled(const ScaledPowers& p, double invQ, double v, bool cut, Design* out);

  double Tangent() const;
  double LinearGain() const;
  void SetCoefficients(double nb0, double nb1, double nb2, double na1, double na2);
  void DesignFromPoles(double k);
  void DesignPeak(double k, double v);
  void DesignLowShelf(double k, double v);
  void DesignHighShelf(double k, double v);
};

// The product's designs are inline: the engine makes four of them every
// sample, in one loop.
inline void Biquad::DesignScaled(BiquadType type, double s, double c, double invQ, double v,
                                 bool cut, Design* out) {
  const ScaledPowers p{c * c, s * c, s * s};
  if (type == BiquadType::Peak) {
    PeakScaled(p, invQ, v, cut, out);
  } else {
    PolesScaled(type, p, invQ, out);
  }
}

inline void Biquad::PolesScaled(BiquadType type, const ScaledPowers& p, double invQ, Design* out) {
  const double kq = p.k * invQ;
  const double m = 1.0 / (p.one + kq + p.kk);
  const double poleA1 = 2.0 * (p.kk - p.one) * m;
  const double poleA2 = (p.one - kq + p.kk) * m;
  switch (type) {
    case BiquadType::Lowpass:
      *out = {p.kk * m, 2.0 * p.kk * m, p.kk * m, poleA1, poleA2};
      return;
    case BiquadType::Highpass:
      *out = {p.one * m, -2.0 * p.one * m, p.one * m, poleA1, poleA2};
      return;
    case BiquadType::Bandpass:
      *out = {kq * m, 0.0, -kq * m, poleA1, poleA2};
      return;
    case BiquadType::Notch:
      *out = {(p.one + p.kk) * m, poleA1, (p.one + p.kk) * m, poleA1, poleA2};
      return;
    case BiquadType::Allpass:
      *out = {poleA2, poleA1, 1.0, poleA1, poleA2};
      return;
    default:
      return;
  }
}

inline void Biquad::PeakScaled(const ScaledPowers& p, double invQ, double v, bool cut,
                               Design* out) {
  const double kq = p.k * invQ;
  const double vkq = v * invQ * p.k;
  const double shared = 2.0 * (p.kk - p.one);
  if (!cut) {
    const double m = 1.0 / (p.one + kq + p.kk);
    *out = {(p.one + vkq + p.kk) * m, shared * m, (p.one - vkq + p.kk) * m, shared * m,
            (p.one - kq + p.kk) * m};
    return;
  }
  const double m = 1.0 / (p.one + vkq + p.kk);
  *out = {(p.one + kq + p.kk) * m, shared * m, (p.one - kq + p.kk) * m, shared * m,
          (p.one - vkq + p.kk) * m};
}
