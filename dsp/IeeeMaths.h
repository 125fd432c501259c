#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "dsp/DoublePair.h"

// Sine, cosine, tangent, arctangent and exponential built only from the
// operations IEEE 754 fixes to the last bit (+, -, *, / and comparisons),
// evaluated in a fixed order. With contraction off the same source gives the
// same bits wherever it is compiled (the Linux and Windows builds are tested
// to agree), which the C libraries do not: their results differ by an ulp
// here and there, and by far more for large arguments.
//
// Results are within three ulp of the C library's over the arguments the
// processing produces: the sweep and transport phases (from 0 up to 2e8
// radians, weeks of audio), the filter prewarp angle (0 to 0.45 pi), gains
// of a few decibels and arbitrary saturator inputs. The series are Taylor
// series, whose coefficients are reciprocals of factorials and odd numbers
// rounded once to double; the tables hold correctly rounded values.
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

// atan(u) for |u| <= 1/32: the series to u^11; the next term is below 1e-20
// of the result. The saturators wait for it every sample, so the polynomial
// in u^2 is evaluated in two halves side by side rather than in one chain.
// Odd to the last bit: the kernel of -u is minus the kernel of u.
template <class Value>
inline Value AtanKernel(Value u) {
  const Value z = u * u;
  const Value zz = z * z;
  const Value low = -0x1.5555555555555p-2 + z * 0x1.999999999999ap-3;   // -1/3 + z/5
  const Value high = -0x1.2492492492492p-3 + z * 0x1.c71c71c71c71cp-4;  // -1/7 + z/9
  const Value tail = low + zz * (high + zz * -0x1.745d1745d1746p-4);    // ... - z^4/11
  return u + u * (z * tail);
}

// tan(x) for |x| < 2^-5: 1/3, 2/15, 17/315, 62/2835, 1382/155925,
// 21844/6081075 and 929569/638512875, each rounded once.
inline double TanKernel(double x) {
  const double z = x * x;
  const double tail = 0x1.5555555555555p-2 +
                      z * (0x1.1111111111111p-3 +
                           z * (0x1.ba1ba1ba1ba1cp-5 +
                                z * (0x1.664f4882c10fap-6 +
                                     z * (0x1.226e355e6c23dp-7 +
                                          z * (0x1.d6d3d0e157dep-9 + z * 0x1.7da36452b75e3p-10)))));
  return x + x * (z * tail);
}

// Points c and atan(c), correctly rounded, at the middle of each eighth of
// every binade from 2^-5 to 2^5: c = 2^e (1 + (m + 1/2) / 8).
struct AtanPoint {
  double c;
  double atan;
};
inline constexpr AtanPoint kAtanPoints[80] = {
    {0x1.1000000000000p-5, 0x1.0fe66da9b94eep-5}, {0x1.3000000000000p-5, 0x1.2fdc4e3737dddp-5},
    {0x1.5000000000000p-5, 0x1.4fcfd072dff79p-5}, {0x1.7000000000000p-5, 0x1.6fc0b4f27d5bbp-5},
    {0x1.9000000000000p-5, 0x1.8faebc6b17abap-5}, {0x1.b000000000000p-5, 0x1.af99a7b3dd42fp-5},
    {0x1.d000000000000p-5, 0x1.cf8137c90a177p-5}, {0x1.f000000000000p-5, 0x1.ef652dceca4dcp-5},
    {0x1.1000000000000p-4, 0x1.0f99ea71d52a7p-4}, {0x1.3000000000000p-4, 0x1.2f719318a4a9ap-4},
    {0x1.5000000000000p-4, 0x1.4f3fd677292fbp-4}, {0x1.7000000000000p-4, 0x1.6f03bdcea4b0dp-4},
    {0x1.9000000000000p-4, 0x1.8ebc54478fb28p-4}, {0x1.b000000000000p-4, 0x1.ae68a71c722b8p-4},
    {0x1.d000000000000p-4, 0x1.ce07c5c3cca32p-4}, {0x1.f000000000000p-4, 0x1.ed98c2190043bp-4},
    {0x1.1000000000000p-3, 0x1.0e6adccf40882p-3}, {0x1.3000000000000p-3, 0x1.2dcbdb2fba1ffp-3},
    {0x1.5000000000000p-3, 0x1.4d087a9da4f17p-3}, {0x1.7000000000000p-3, 0x1.6c1d4898933d9p-3},
    {0x1.9000000000000p-3, 0x1.8b06ee2879c29p-3}, {0x1.b000000000000p-3, 0x1.a9c231b403279p-3},
    {0x1.d000000000000p-3, 0x1.c84bf8a742e6ep-3}, {0x1.f000000000000p-3, 0x1.e6a148e96ec4dp-3},
    {0x1.1000000000000p-2, 0x1.09dc597d86362p-2}, {0x1.3000000000000p-2, 0x1.278372057ef46p-2},
    {0x1.5000000000000p-2, 0x1.44aa436c2af0ap-2}, {0x1.7000000000000p-2, 0x1.614840309cfe2p-2},
    {0x1.9000000000000p-2, 0x1.7d5604b63b3f7p-2}, {0x1.b000000000000p-2, 0x1.98cd5454d6b18p-2},
    {0x1.d000000000000p-2, 0x1.b3a911da65c6cp-2}, {0x1.f000000000000p-2, 0x1.cde53432c1351p-2},
    {0x1.1000000000000p-1, 0x1.f40dd0b541418p-2}, {0x1.3000000000000p-1, 0x1.1255d9bfbd2a9p-1},
    {0x1.5000000000000p-1, 0x1.2958e59308e31p-1}, {0x1.7000000000000p-1, 0x1.3f13fb89e96f4p-1},
    {0x1.9000000000000p-1, 0x1.538f57b89061fp-1}, {0x1.b000000000000p-1, 0x1.66d663923e087p-1},
    {0x1.d000000000000p-1, 0x1.78f6bbd5d315ep-1}, {0x1.f000000000000p-1, 0x1.89ff5ff57f1f8p-1},
    {0x1.1000000000000p+0, 0x1.a1a25f2c82506p-1}, {0x1.3000000000000p+0, 0x1.bde70ed439fe7p-1},
    {0x1.5000000000000p+0, 0x1.d6e57cf4f0acap-1}, {0x1.7000000000000p+0, 0x1.ed0d97c9041c9p-1},
    {0x1.9000000000000p+0, 0x1.006132e34d617p+0}, {0x1.b000000000000p+0, 0x1.092ce471853ccp+0},
    {0x1.d000000000000p+0, 0x1.110eb007f39f7p+0}, {0x1.f000000000000p+0, 0x1.1825f074030d9p+0},
    {0x1.1000000000000p+1, 0x1.21862f3fade36p+0}, {0x1.3000000000000p+1, 0x1.2c1a241d66dc3p+0},
    {0x1.5000000000000p+1, 0x1.34f1fbb19eb09p+0}, {0x1.7000000000000p+1, 0x1.3c6e650b38047p+0},
    {0x1.9000000000000p+1, 0x1.42d70411f9ec1p+0}, {0x1.b000000000000p+1, 0x1.4861b4cfbe710p+0},
    {0x1.d000000000000p+1, 0x1.4d378c1999a0dp+0}, {0x1.f000000000000p+1, 0x1.51784fa1544bap+0},
    {0x1.1000000000000p+2, 0x1.56f6f33a3e6a7p+0}, {0x1.3000000000000p+2, 0x1.5d013c41adabdp+0},
    {0x1.5000000000000p+2, 0x1.61f06c6a92b89p+0}, {0x1.7000000000000p+2, 0x1.660b02c736a06p+0},
    {0x1.9000000000000p+2, 0x1.698213a9d5053p+0}, {0x1.b000000000000p+2, 0x1.6c78c7edeb195p+0},
    {0x1.d000000000000p+2, 0x1.6f08f07435fecp+0}, {0x1.f000000000000p+2, 0x1.7145eac2088a4p+0},
    {0x1.1000000000000p+3, 0x1.7424de90454d4p+0}, {0x1.3000000000000p+3, 0x1.77467e364f601p+0},
    {0x1.5000000000000p+3, 0x1.79d0f3fad1c92p+0}, {0x1.7000000000000p+3, 0x1.7beb396c5699ap+0},
    {0x1.9000000000000p+3, 0x1.7daff85a63058p+0}, {0x1.b000000000000p+3, 0x1.7f320a0f9f587p+0},
    {0x1.d000000000000p+3, 0x1.807f2112987c7p+0}, {0x1.f000000000000p+3, 0x1.81a16e43f190bp+0},
    {0x1.1000000000000p+4, 0x1.831516233f561p+0}, {0x1.3000000000000p+4, 0x1.84a99fe25186bp+0},
    {0x1.5000000000000p+4, 0x1.85f14d43d81bep+0}, {0x1.7000000000000p+4, 0x1.87001c35928d4p+0},
    {0x1.9000000000000p+4, 0x1.87e3aa32878aep+0}, {0x1.b000000000000p+4, 0x1.88a58ec949d14p+0},
    {0x1.d000000000000p+4, 0x1.894cbdb6bedfcp+0}, {0x1.f000000000000p+4, 0x1.89de605acdbb3p+0}};

// 2^(j/32) for j = 0..31, correctly rounded.
inline constexpr double kExp2ThirtySeconds[32] = {
    0x1.0000000000000p+0, 0x1.059b0d3158574p+0, 0x1.0b5586cf9890fp+0, 0x1.11301d0125b51p+0,
    0x1.172b83c7d517bp+0, 0x1.1d4873168b9aap+0, 0x1.2387a6e756238p+0, 0x1.29e9df51fdee1p+0,
    0x1.306fe0a31b715p+0, 0x1.371a7373aa9cbp+0, 0x1.3dea64c123422p+0, 0x1.44e086061892dp+0,
    0x1.4bfdad5362a27p+0, 0x1.5342b569d4f82p+0, 0x1.5ab07dd485429p+0, 0x1.6247eb03a5585p+0,
    0x1.6a09e667f3bcdp+0, 0x1.71f75e8ec5f74p+0, 0x1.7a11473eb0187p+0, 0x1.82589994cce13p+0,
    0x1.8ace5422aa0dbp+0, 0x1.93737b0cdc5e5p+0, 0x1.9c49182a3f090p+0, 0x1.a5503b23e255dp+0,
    0x1.ae89f995ad3adp+0, 0x1.b7f76f2fb5e47p+0, 0x1.c199bdd85529cp+0, 0x1.cb720dcef9069p+0,
    0x1.d5818dcfba487p+0, 0x1.dfc97337b9b5fp+0, 0x1.ea4afa2a490dap+0, 0x1.f50765b6e4540p+0};

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

// Both at once, sharing the reduction.
inline void SinCos(double x, double* sine, double* cosine) {
  if (std::fabs(x) <= 0.15) {
    // The filters' prewarp angles below 4.8 % of the rate: shorter series
    // (sine to x^11, cosine to x^12) are exact there.
    const double z = x * x;
    *sine = x + x * (z * (-0x1.5555555555555p-3 +
                          z * (0x1.1111111111111p-7 +
                               z * (-0x1.a01a01a01a01ap-13 +
                                    z * (0x1.71de3a556c734p-19 + z * -0x1.ae64567f544e4p-26)))));
    *cosine = 1.0 - 0.5 * z +
              (z * z) * (0x1.5555555555555p-5 +
                         z * (-0x1.6c16c16c16c17p-10 +
                              z * (0x1.a01a01a01a01ap-16 +
                                   z * (-0x1.27e4fb7789f5cp-22 + z * 0x1.1eed8eff8d898p-29))));
    return;
  }
  int quadrant;
  const double r = detail::ReduceQuarterTurns(x, &quadrant);
  const double s = detail::SinKernel(r);
  const double c = detail::CosKernel(r);
  switch (quadrant) {
    case 0:
      *sine = s;
      *cosine = c;
      break;
    case 1:
      *sine = c;
      *cosine = -s;
      break;
    case 2:
      *sine = -s;
      *cosine = -c;
      break;
    default:
      *sine = -c;
      *cosine = s;
      break;
  }
}

// Below 2^-5 the series itself, to x^15 (the next term is below 1e-21 of
// x): it gives the correctly rounded tangent in all but about one case in
// ten thousand, where sine over cosine misses it by an ulp in one case in
// three. Filters designed far below the sample rate take these angles.
inline double Tan(double x) {
  if (std::fabs(x) < 0x1p-5) return detail::TanKernel(x);
  double s, c;
  SinCos(x, &s, &c);
  return s / c;
}

inline double Atan(double x) {
  if (x != x) return x;
  // Between 2^-5 and 2^5, atan(a) = atan(c) + atan(u) with c the point of
  // a's eighth of its binade and u = (a - c) / (1 + a c), |u| <= 0.031; the
  // exponent and top three mantissa bits of a pick the point. Beyond, the
  // series itself or pi/2 - atan(1/a).
  const double a = std::fabs(x);
  double angle;
  if (a < 0x1p-5) {
    angle = detail::AtanKernel(a);
  } else if (a >= 0x1p5) {
    angle = detail::kHalfPi - detail::AtanKernel(1.0 / a);
  } else {
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const detail::AtanPoint& point = detail::kAtanPoints[(bits >> 49) - ((1023u - 5u) << 3)];
    angle = point.atan + detail::AtanKernel((a - point.c) / (1.0 + a * point.c));
  }
  return x < 0.0 ? -angle : angle;
}

// Atan of both halves, bit for bit as above. Each half picks its point; the
// division and the series then serve both at once. The three ranges share
// one form, atan(a) = base + atan(num / den): below 2^-5 base 0 and a / 1,
// beyond 2^5 pi/2 and -1 / a (the series is odd, so adding its value at
// -1/a is subtracting it at 1/a).
namespace detail {

// One half's share of the pair form below.
struct AtanTerms {
  double base, num, den;
};
inline AtanTerms AtanTermsOf(double a) {
  if (!(a >= 0x1p-5)) return {0.0, a, 1.0};  // NaN as well: its half is replaced
  if (a >= 0x1p5) return {kHalfPi, -1.0, a};
  uint64_t bits;
  std::memcpy(&bits, &a, sizeof bits);
  const AtanPoint& point = kAtanPoints[(bits >> 49) - ((1023u - 5u) << 3)];
  return {point.atan, a - point.c, 1.0 + a * point.c};
}

}  // namespace detail

inline DoublePair Atan(DoublePair x) {
  const DoublePair a = Magnitude(x);
  const detail::AtanTerms l = detail::AtanTermsOf(a[0]);
  const detail::AtanTerms r = detail::AtanTermsOf(a[1]);
  const DoublePair angle = DoublePair{l.base, r.base} +
                           detail::AtanKernel(DoublePair{l.num, r.num} / DoublePair{l.den, r.den});
  return Select(x != x, x, Select(x < 0.0, -angle, angle));
}

namespace detail {

// e^x for |x| < 708: 2^k stays a normal number, so it is built from its bits.
inline double ExpInRange(double x) {
  // x = (32k + j) ln2/32 + r with |r| <= ln2/64; e^x = 2^k 2^(j/32) e^r.
  constexpr double kThirtyTwoOverLn2 = 0x1.71547652b82fep+5;
  constexpr double kLn2Over32Hi = 0x1.62e42feep-6;  // 32 bits: n * kLn2Over32Hi is exact
  constexpr double kLn2Over32Lo = 0x1.a39ef35793c76p-38;
  constexpr double kShifter = 0x1.8p52;
  const double n = (x * kThirtyTwoOverLn2 + kShifter) - kShifter;
  const double r = (x - n * kLn2Over32Hi) - n * kLn2Over32Lo;
  const int whole = static_cast<int>(n);
  const int j = whole & 31;
  const int k = (whole - j) / 32;
  // e^r - 1, the series to r^6: the next term is below 4e-18.
  const double grow =
      r + (r * r) * (0x1.0p-1 + r * (0x1.5555555555555p-3 +
                                     r * (0x1.5555555555555p-5 +
                                          r * (0x1.1111111111111p-7 + r * 0x1.6c16c16c16c17p-10))));
  return (kExp2ThirtySeconds[j] + kExp2ThirtySeconds[j] * grow) * PowerOfTwo(k);
}

// Overflow, results below the normal range, and NaN.
inline double ExpOutOfRange(double x) {
  if (x != x) return x;
  if (x > 0x1.62e42fefa39efp+9) return std::numeric_limits<double>::infinity();
  if (x < -745.2) return 0.0;
  const double half = ExpInRange(0.5 * x);
  return half * half;
}

}  // namespace detail

inline double Exp(double x) {
  if (std::fabs(x) < 708.0) return detail::ExpInRange(x);
  return detail::ExpOutOfRange(x);
}

// 10^y: y ln10 is formed exactly as a pair, hi + lo, so the rounding of the
// product does not grow with |y|.
inline double Pow10(double y) {
  constexpr double kLn10 = 0x1.26bb1bbb55516p+1;
  constexpr double kLn10Lo = -0x1.f48ad494ea3e9p-53;
  const double hi = y * kLn10;
  // Below 1/2 the product's rounding costs under an ulp of the result.
  if (std::fabs(y) < 0.5) return Exp(hi + y * kLn10Lo);
  const double lo = ProductRoundingError(y, kLn10) + y * kLn10Lo;
  const double e = Exp(hi);
  return e + e * lo;
}

}  // namespace ieee_maths
