#pragma once
#include <cmath>

#include "dsp/DoublePair.h"
#include "dsp/IeeeMaths.h"

// The transcendental functions the processing calls, in one place. The
// product build uses the IEEE-only forms, which are faster and give the same
// bits on every platform. A build with KESTRAVON_LITERAL_MATHS set calls the
// C library instead, exactly as the algorithms are written; it is kept as
// the yardstick the product's output is measured against.
//
// Every file that includes this one must belong to a library built with the
// same setting: the two never meet in one program, only side by side as two
// plug-in modules.
#ifndef KESTRAVON_LITERAL_MATHS
#error "KESTRAVON_LITERAL_MATHS must be set to 0 or 1 by the build"
#endif

namespace maths {

inline constexpr bool kLiteral = KESTRAVON_LITERAL_MATHS != 0;

inline double Sin(double x) {
  if constexpr (kLiteral) return std::sin(x);
  return ieee_maths::Sin(x);
}

inline double Tan(double x) {
  if constexpr (kLiteral) return std::tan(x);
  return ieee_maths::Tan(x);
}

inline double Atan(double x) {
  if constexpr (kLiteral) return std::atan(x);
  return ieee_maths::Atan(x);
}

// Two arguments side by side, each as above.
inline DoublePair Atan(DoublePair x) {
  if constexpr (kLiteral) return DoublePair{std::atan(x[0]), std::atan(x[1])};
  return ieee_maths::Atan(x);
}

inline double Exp(double x) {
  if constexpr (kLiteral) return std::exp(x);
  return ieee_maths::Exp(x);
}

// 10^y.
inline double Pow10(double y) {
  if constexpr (kLiteral) return std::pow(10.0, y);
  return ieee_maths::Pow10(y);
}

// The single-precision forms round the double result once.
inline float SinF(float x) {
  if constexpr (kLiteral) return std::sin(x);
  return static_cast<float>(ieee_maths::Sin(x));
}

inline float CosF(float x) {
  if constexpr (kLiteral) return std::cos(x);
  return static_cast<float>(ieee_maths::Cos(x));
}

inline float ExpF(float x) {
  if constexpr (kLiteral) return std::exp(x);
  return static_cast<float>(ieee_maths::Exp(x));
}

inline float Pow10F(float y) {
  if constexpr (kLiteral) return std::pow(10.0f, y);
  return static_cast<float>(ieee_maths::Pow10(y));
}

}  // namespace maths
