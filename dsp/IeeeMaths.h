#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Sine, cosine, tangent, arctangent and exponential built only from the
// operations IEEE 754 fixes to the last bit (+, -, *, / and comparisons),
// evaluated in a fixed order. With contraction off the same source gives the
// same bits from every compiler on every platform, which the C libraries do
// not: their results differ by an ulp here and there, and by far more for
// large arguments.
//
// Accuracy is within three ulp of the correctly rounded result over the
// arguments the processing produces: the sweep and transport phases (from 0
// up to 2e8 radians, weeks of audio), the filter prewarp angle (0 to
// 0.45 pi), gains of a few decibels and arbitrary saturator inputs. The series are plain Taylor series, whose
// coefficients are exact reciprocals of factorials and odd numbers rounded
// once to double.
namespace ieee_maths {

namespace detail {

// pi/2 in four pieces: the first three have at most 26 significant bits, so
// k times each of them is exact for |k| < 2^27.
inline constexpr double kHalfPi1 = 0x1.921fb5p+0;
inline constexpr double kHalfPi2 = 0x1.110b46p-26;
inline constexpr double kHalfPi3 = 0x1.1a6263p-54;
inline constexpr double kHalfPi4 = 0x1.8a2e03707344ap-81;
inline constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
inline constexpr double kHalfPi = 0x1.921fb54442d18p+0;
inline constexpr double kSixthPi = 0x1.0c152382d7366p-1;
inline constexpr double kSqrt3 = 0x1.bb67ae8584caap+0;
inline constexpr double kTanTwelfthPi = 0.2679491924311227;  // 2 - sqrt(3)

// Adding and removing 1.5 * 2^52 rounds to the nearest integer (ties to
// even) for |y| < 2^51; larger values are integers or halves already.
inline double RoundToInteger(double y) {
  constexpr double kShifter = 0x1.8p52;
  if (!(std::fabs(y) < 0x1p51)) return y;
  return (y + kShifter) - kShifter;
}

// x = k pi/2 + r with |r| <= pi/4 (plus rounding); returns r, and k mod 4.
// Arguments beyond 2^28 radians, years of audio away, are first brought
// down by the exact remainder of 2 pi as a double; that keeps the result a
// sine while its error grows with the argument. Infinities give NaN.
inline double ReduceQuarterTurns(double x, int* quadrant) {
  if (!(std::fabs(x) < 0x1p28)) x = std::fmod(x, 4.0 * kHalfPi);
  const double k = RoundToInteger(x * kTwoOverPi);
  const double r = (((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3) - k * kHalfPi4;
  *quadrant = static_cast<int>(static_cast<int64_t>(k) & 3);
  return r;
}

// sin(r) for |r| <= pi/4: the series to r^17; the next term is below 1e-19.
inline double SinKernel(double r) {
  const double z = r * r;
  const double tail =
      -0x1.5555555555555p-3 +
      z * (0x1.1111111111111p-7 +
           z * (-0x1.a01a01a01a01ap-13 +
                z * (0x1.71de3a556c734p-19 +
                     z * (-0x1.ae64567f544e4p-26 +
                          z * (0x1.6124613a86d09p-33 +
                               z * (-0x1.ae7f3e733b81fp-41 + z * 0x1.952c77030ad4ap-49))))));
  return r + r * (z * tail);
}

// cos(r) for |r| <= pi/4: the series to r^18.
inline double CosKernel(double r) {
  const double z = r * r;
  const double tail =
      0x1.5555555555555p-5 +
      z * (-0x1.6c16c16c16c17p-10 +
           z * (0x1.a01a01a01a01ap-16 +
                z * (-0x1.27e4fb7789f5cp-22 +
                     z * (0x1.1eed8eff8d898p-29 +
                          z * (-0x1.93974a8c07c9dp-37 +
                               z * (0x1.ae7f3e733b81fp-45 + z * -0x1.6827863b97d97p-53))))));
  return 1.0 - 0.5 * z + (z * z) * tail;
}

// atan(u) for |u| <= 2 - sqrt(3): the series to u^29; the next term is
// below 1e-18 of the result.
inline double AtanKernel(double u) {
  const double z = u * u;
  double tail = 0x1.1a7b9611a7b96p-5;  // 1/29
  constexpr double kOddReciprocals[] = {
      -0x1.2f684bda12f68p-5, 0x1.47ae147ae147bp-5,  -0x1.642c8590b2164p-5,
      0x1.8618618618618p-5,  -0x1.af286bca1af28p-5, 0x1.e1e1e1e1e1e1ep-5,
      -0x1.1111111111111p-4, 0x1.3b13b13b13b14p-4,  -0x1.745d1745d1746p-4,
      0x1.c71c71c71c71cp-4,  -0x1.2492492492492p-3, 0x1.999999999999ap-3,
      -0x1.5555555555555p-2};  // -1/27, 1/25, ..., -1/3
  for (double c : kOddReciprocals) tail = c + z * tail;
  return u + u * (z * tail);
}

// 2^n for integer n from -1022 to 1023, built from its bits.
inline double PowerOfTwo(int n) {
  const uint64_t bits = static_cast<uint64_t>(n + 1023) << 52;
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// Veltkamp's split: hi has at most 26 significant bits and hi + lo == a.
inline void Split(double a, double* hi, double* lo) {
  const double c = 0x1.0000002p27 * a;  // 2^27 + 1
  *hi = c - (c - a);
  *lo = a - *hi;
}

}  // namespace detail

// a * b - fl(a * b), exactly (Dekker's product, without fused operations):
// what rounding the product lost.
inline double ProductRoundingError(double a, double b) {
  double aHi, aLo, bHi, bLo;
  detail::Split(a, &aHi, &aLo);
  detail::Split(b, &bHi, &bLo);
  const double p = a * b;
  return ((aHi * bHi - p) + aHi * bLo + aLo * bHi) + aLo * bLo;
}

// a + b - fl(a + b), exactly (Knuth's sum).
inline double SumRoundingError(double a, double b) {
  const double s = a + b;
  const double bVirtual = s - a;
  return (a - (s - bVirtual)) + (b - bVirtual);
}

inline double Sin(double x) {
  int quadrant;
  const double r = detail::ReduceQuarterTurns(x, &quadrant);
  switch (quadrant) {
    case 0:
      return detail::SinKernel(r);
    case 1:
      return detail::CosKernel(r);
    case 2:
      return -detail::SinKernel(r);
    default:
      return -detail::CosKernel(r);
  }
}

inline double Cos(double x) {
  int quadrant;
  const double r = detail::ReduceQuarterTurns(x, &quadrant);
  switch (quadrant) {
    case 0:
      return detail::CosKernel(r);
    case 1:
      return -detail::SinKernel(r);
    case 2:
      return -detail::CosKernel(r);
    default:
      return detail::SinKernel(r);
  }
}

inline double Tan(double x) {
  int quadrant;
  const double r = detail::ReduceQuarterTurns(x, &quadrant);
  const double s = detail::SinKernel(r);
  const double c = detail::CosKernel(r);
  return (quadrant & 1) == 0 ? s / c : -c / s;
}

inline double Atan(double x) {
  if (x != x) return x;
  const double a = std::fabs(x);
  // atan(a) = pi/2 - atan(1/a), then atan(t) = pi/6 + atan((t sqrt3 - 1) / (sqrt3 + t)).
  const bool inverted = a > 1.0;
  const double t = inverted ? 1.0 / a : a;
  double angle;
  if (t > detail::kTanTwelfthPi) {
    angle = detail::kSixthPi + detail::AtanKernel((t * detail::kSqrt3 - 1.0) / (detail::kSqrt3 + t));
  } else {
    angle = detail::AtanKernel(t);
  }
  if (inverted) angle = detail::kHalfPi - angle;
  return x < 0.0 ? -angle : angle;
}

inline double Exp(double x) {
  constexpr double kLn2Hi = 0x1.62e42feep-1;  // 32 bits: n * kLn2Hi is exact
  constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;
  constexpr double kInvLn2 = 0x1.71547652b82fep+0;
  if (x != x) return x;
  if (x > 0x1.62e42fefa39efp+9) return std::numeric_limits<double>::infinity();
  if (x < -745.2) return 0.0;
  const double n = detail::RoundToInteger(x * kInvLn2);
  const double r = (x - n * kLn2Hi) - n * kLn2Lo;
  // The series to r^13 for |r| <= ln2/2: the next term is below 1e-17.
  constexpr double kReciprocalFactorials[] = {
      0x1.6124613a86d09p-33, 0x1.1eed8eff8d898p-29, 0x1.ae64567f544e4p-26,
      0x1.27e4fb7789f5cp-22, 0x1.71de3a556c734p-19, 0x1.a01a01a01a01ap-16,
      0x1.a01a01a01a01ap-13, 0x1.6c16c16c16c17p-10, 0x1.1111111111111p-7,
      0x1.5555555555555p-5,  0x1.5555555555555p-3,  0x1.0p-1};  // 1/13!, ..., 1/2!
  double tail = 0.0;
  for (double c : kReciprocalFactorials) tail = c + r * tail;
  const double e = 1.0 + (r + (r * r) * tail);
  const int k = static_cast<int>(n);
  if (k > 1023) return e * detail::PowerOfTwo(k - 1) * 2.0;
  if (k < -1022) return e * detail::PowerOfTwo(k + 1000) * 0x1p-1000;
  return e * detail::PowerOfTwo(k);
}

// 10^y: y ln10 is formed exactly as a pair, hi + lo, so the rounding of the
// product does not grow with |y|.
inline double Pow10(double y) {
  constexpr double kLn10 = 0x1.26bb1bbb55516p+1;
  constexpr double kLn10Lo = -0x1.f48ad494ea3e9p-53;
  double yHi, yLo, lHi, lLo;
  detail::Split(y, &yHi, &yLo);
  detail::Split(kLn10, &lHi, &lLo);
  const double hi = y * kLn10;
  const double error = ((yHi * lHi - hi) + yHi * lLo + yLo * lHi) + yLo * lLo;
  const double lo = error + y * kLn10Lo;
  const double e = Exp(hi);
  return e + e * lo;
}

}  // namespace ieee_maths
