#include "dsp/Biquad.h"

#include <cmath>
#include <numbers>

#include "dsp/DesignLimit.h"
#include "dsp/IeeeMaths.h"
#include "dsp/Maths.h"
#include "dsp/ScaledDesign.h"

// The sum is finite exactly when both terms are, short of an overflow that
// is a fault as well.
bool Biquad::StateIsFinite() const { return std::isfinite(z1 + z2); }

void Biquad::ClearState() {
  z1 = 0.0;
  z2 = 0.0;
}

void Biquad::SetCoefficients(double nb0, double nb1, double nb2, double na1, double na2) {
  b0 = nb0;
  b1 = nb1;
  b2 = nb2;
  a1 = na1;
  a2 = na2;
}

// The engine redesigns filters every sample: each type computes only the
// terms it uses, and only the gain types pay for the power function.
template <class Maths>
void Biquad::CalcTangentCoefficients() {
  switch (type) {
    case BiquadType::Peak:
      DesignPeak(Tangent<Maths>(), LinearGain<Maths>());
      break;
    case BiquadType::LowShelf:
      DesignLowShelf(Tangent<Maths>(), LinearGain<Maths>());
      break;
    case BiquadType::HighShelf:
      DesignHighShelf(Tangent<Maths>(), LinearGain<Maths>());
      break;
    case BiquadType::Lowpass:
    case BiquadType::Highpass:
    case BiquadType::Bandpass:
    case BiquadType::Notch:
    case BiquadType::Allpass:
      DesignFromPoles(Tangent<Maths>());
      break;
  }
}

template <class Maths>
double Biquad::Tangent() const {
  return Maths::Tan(std::numbers::pi * LimitDesignFraction(fc));
}

template <class Maths>
double Biquad::LinearGain() const {
  return Maths::Pow10(std::fabs(gainDb) / 20.0);
}

// The types whose denominator is the plain q pole pair.
void Biquad::DesignFromPoles(double k) {
  const double n = 1.0 / (1.0 + k / q + k * k);
  const double poleA1 = 2.0 * (k * k - 1.0) * n;
  const double poleA2 = (1.0 - k / q + k * k) * n;
  switch (type) {
    case BiquadType::Lowpass:
      SetCoefficients(k * k * n, 2.0 * (k * k) * n, k * k * n, poleA1, poleA2);
      break;
    case BiquadType::Highpass:
      SetCoefficients(n, -2.0 * n, n, poleA1, poleA2);
      break;
    case BiquadType::Bandpass:
      SetCoefficients(k / q * n, 0.0, -(k / q) * n, poleA1, poleA2);
      break;
    case BiquadType::Notch:
      SetCoefficients((1.0 + k * k) * n, poleA1, (1.0 + k * k) * n, poleA1, poleA2);
      break;
    case BiquadType::Allpass:
      SetCoefficients(poleA2, poleA1, 1.0, poleA1, poleA2);
      break;
    default:
      break;
  }
}

void Biquad::DesignPeak(double k, double v) {
  if (gainDb >= 0.0) {
    const double n = 1.0 / (1.0 + k / q + k * k);
    const double shared = 2.0 * (k * k - 1.0) * n;
    SetCoefficients((1.0 + v / q * k + k * k) * n, shared, (1.0 - v / q * k + k * k) * n, shared,
                    (1.0 - k / q + k * k) * n);
  } else {
    const double n = 1.0 / (1.0 + v / q * k + k * k);
    const double shared = 2.0 * (k * k - 1.0) * n;
    SetCoefficients((1.0 + k / q + k * k) * n, shared, (1.0 - k / q + k * k) * n, shared,
                    (1.0 - v / q * k + k * k) * n);
  }
}

// Shelves use sqrt(2) in place of q, so their shape does not depend on q.
void Biquad::DesignLowShelf(double k, double v) {
  const double root2 = std::numbers::sqrt2;
  const double root2v = std::sqrt(2.0 * v);
  if (gainDb >= 0.0) {
    const double m = 1.0 / (1.0 + root2 * k + k * k);
    SetCoefficients((1.0 + root2v * k + v * (k * k)) * m, 2.0 * (v * (k * k) - 1.0) * m,
                    (1.0 - root2v * k + v * (k * k)) * m, 2.0 * (k * k - 1.0) * m,
                    (1.0 - root2 * k + k * k) * m);
  } else {
    const double m = 1.0 / (1.0 + root2v * k + v * (k * k));
    SetCoefficients((1.0 + root2 * k + k * k) * m, 2.0 * (k * k - 1.0) * m,
                    (1.0 - root2 * k + k * k) * m, 2.0 * (v * (k * k) - 1.0) * m,
                    (1.0 - root2v * k + v * (k * k)) * m);
  }
}

void Biquad::DesignHighShelf(double k, double v) {
  const double root2 = std::numbers::sqrt2;
  const double root2v = std::sqrt(2.0 * v);
  if (gainDb >= 0.0) {
    const double m = 1.0 / (1.0 + root2 * k + k * k);
    SetCoefficients((v + root2v * k + k * k) * m, 2.0 * (k * k - v) * m,
                    (v - root2v * k + k * k) * m, 2.0 * (k * k - 1.0) * m,
                    (1.0 - root2 * k + k * k) * m);
  } else {
    const double m = 1.0 / (v + root2v * k + k * k);
    SetCoefficients((1.0 + root2 * k + k * k) * m, 2.0 * (k * k - 1.0) * m,
                    (1.0 - root2 * k + k * k) * m, 2.0 * (k * k - v) * m,
                    (v - root2v * k + k * k) * m);
  }
}

// The product's designs (dsp/ScaledDesign.h), with q's reciprocal kept: one
// division per design where the literal one costs three or four. The engine
// redesigns four filters every sample, and divisions are what it waits for.
void Biquad::CalcScaledCoefficients() {
  double s, c;
  ieee_maths::SinCos(std::numbers::pi * LimitDesignFraction(fc), &s, &c);
  switch (type) {
    case BiquadType::LowShelf:
      DesignLowShelf(s / c, LinearGain<ProductMaths>());
      break;
    case BiquadType::HighShelf:
      DesignHighShelf(s / c, LinearGain<ProductMaths>());
      break;
    default: {
      // An unknown type keeps the design it has.
      ScaledCoefficients<double> d;
      if (DesignScaled(type, s, c, InverseQ(), type == BiquadType::Peak ? LinearGain<ProductMaths>() : 1.0,
                       gainDb < 0.0, &d)) {
        SetCoefficients(d.b0, d.b1, d.b2, d.a1, d.a2);
      }
      break;
    }
  }
}

// 1/q, worked out again only when q changes; exact for the sweeps' q of 2.
double Biquad::InverseQ() {
  if (q != cachedQ) {
    cachedQ = q;
    cachedInverseQ = 1.0 / q;
  }
  return cachedInverseQ;
}

template void Biquad::CalcTangentCoefficients<ProductMaths>();
template void Biquad::CalcTangentCoefficients<LiteralMaths>();
