#pragma once
#include <cmath>

#include "dsp/Biquad.h"
#include "dsp/DoublePair.h"
#include "dsp/IeeeMaths.h"
#include "dsp/SweepModulation.h"
#include "dsp/TransportSines.h"

// The two sets of maths the processing can be built with, as policy types
// of one shape. ProductMaths is the IEEE-only forms, faster and the same
// bits on every platform, with the sines that the chain carries by rotation
// and the filter designs it carries from sample to sample. LiteralMaths calls
// the C library exactly as the algorithms are written, and works every sine
// and design out afresh; it is kept as the yardstick the product's output is
// measured against.
//
// A library is built with one of them (KESTRAVON_LITERAL_MATHS), which the
// chain knows as ChainMaths. Every file that includes this one must belong to
// a library built with the same setting: the two never meet in one program,
// only side by side as two plug-in modules.
#ifndef KESTRAVON_LITERAL_MATHS
#error "KESTRAVON_LITERAL_MATHS must be set to 0 or 1 by the build"
#endif

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
  using TransportSineSet = FreshTransportSines<Sample>;
  using Sweep = FreshSweep;
  static void DesignBiquad(Biquad& filter) { filter.CalcTangentCoefficients(); }

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

#if KESTRAVON_LITERAL_MATHS
using ChainMaths = LiteralMaths;
#else
using ChainMaths = ProductMaths;
#endif
