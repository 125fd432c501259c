#pragma once
#include <cmath>

#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"
#include "dsp/IeeeMaths.h"

// The two sets of maths the processing can run on, as policy types of one
// shape, which the chain's templates take as a parameter. ProductMaths is
// the IEEE-only forms, faster and the same bits on every platform, with the
// sines that the chain carries by rotation and the filter designs it carries
// from sample to sample. LiteralMaths calls the C library exactly as the
// algorithms are written, and works every sine and design out afresh; it is
// kept as the yardstick the product's output is measured against.

template <class Sample>
class TransportSines;
template <class Sample, class Maths>
class FreshTransportSines;
class RotatedSweep;
template <class Maths>
class FreshSweep;

struct ProductMaths {
  template <class Sample>
  using TransportSineSet = TransportSines<Sample>;
  using Sweep = RotatedSweep;
  static void DesignBiquad(Biquad& filter) { filter.CalcScaledCoefficients(); }

  static double Sin(double x) { return ieee_maths::Sin(x); }
  static double Tan(double x) { return ieee_maths::Tan(x); }
  static double Atan(double x) { return ieee_maths::Atan(x); }
  static DoublePair Atan(DoublePair x) { return ieee_maths::Atan(x); }
  static double Exp(double x) { return ieee_maths::Exp(x); }
  static double Pow10(double y) { return ieee_maths::Pow10(y); }
  // The single-precision forms round the double result once.
  static float SinF(float x) { return static_cast<float>(ieee_maths::Sin(x)); }
  static float CosF(float x) { return static_cast<float>(ieee_maths::Cos(x)); }
  static float ExpF(float x) { return static_cast<float>(ieee_maths::Exp(x)); }
  static float Pow10F(float y) { return static_cast<float>(ieee_maths::Pow10(y)); }
};

struct LiteralMaths {
  template <class Sample>
  using TransportSineSet = FreshTransportSines<Sample, LiteralMaths>;
  using Sweep = FreshSweep<LiteralMaths>;
  static void DesignBiquad(Biquad& filter) { filter.CalcTangentCoefficients<LiteralMaths>(); }

  static double Sin(double x) { return std::sin(x); }
  static double Tan(double x) { return std::tan(x); }
  static double Atan(double x) { return std::atan(x); }
  static DoublePair Atan(DoublePair x) { return DoublePair{std::atan(x[0]), std::atan(x[1])}; }
  static double Exp(double x) { return std::exp(x); }
  static double Pow10(double y) { return std::pow(10.0, y); }
  static float SinF(float x) { return std::sin(x); }
  static float CosF(float x) { return std::cos(x); }
  static float ExpF(float x) { return std::exp(x); }
  static float Pow10F(float y) { return std::pow(10.0f, y); }
};
