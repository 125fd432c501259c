#pragma once
#include <emmintrin.h>

#include <cmath>
#include <cstdint>

// Two doubles side by side in one vector register (the GCC vector
// extension, which Clang and MinGW-w64 share). Every operation on a pair is
// the IEEE operation on each half, so each half's results are bit for bit
// those of the same expression on doubles.
using DoublePair = double __attribute__((vector_size(16)));
// Two floats side by side, for the single-precision stages: the first two
// of a register's four. The other two come along as whatever they are and
// are never read; a register of two would need its upper half cleared after
// every operation.
using FloatPair = float __attribute__((vector_size(16)));
// The result of comparing two pairs: all ones in a half where it holds.
using PairMask = int64_t __attribute__((vector_size(16)));

inline DoublePair BothHalves(double v) { return DoublePair{v, v}; }

// One member of two objects side by side, and back into the two objects.
template <class Object, class Member>
inline DoublePair Halves(const Object& a, const Object& b, Member Object::*member) {
  return DoublePair{static_cast<double>(a.*member), static_cast<double>(b.*member)};
}
template <class Object, class Member>
inline void StoreHalves(DoublePair pair, Object& a, Object& b, Member Object::*member) {
  a.*member = static_cast<Member>(pair[0]);
  b.*member = static_cast<Member>(pair[1]);
}

// The conversions of each half, as static_cast gives them on one value.
inline FloatPair ToFloats(DoublePair x) { return _mm_cvtpd_ps(x); }
inline DoublePair ToDoubles(FloatPair x) { return _mm_cvtps_pd(x); }

// The chain's steps are written once for one channel (double and float) and
// for two side by side (DoublePair and FloatPair); these are the operations
// whose spelling differs between the two.
inline float RoundToFloat(double x) { return static_cast<float>(x); }
inline FloatPair RoundToFloat(DoublePair x) { return ToFloats(x); }
inline double Widen(float x) { return x; }
inline DoublePair Widen(FloatPair x) { return ToDoubles(x); }
inline double Magnitude(double x) { return std::fabs(x); }
// fabs of each half: the sign bit cleared, negative zero and NaN included.
inline DoublePair Magnitude(DoublePair x) {
  constexpr int64_t kAllButSign = INT64_MAX;
  return reinterpret_cast<DoublePair>(reinterpret_cast<PairMask>(x) & kAllButSign);
}
inline double Select(bool condition, double a, double b) { return condition ? a : b; }

// Whether |x| <= limit holds in both halves (false where a half is NaN):
// one comparison and one move of the two sign bits.
inline bool BothWithin(DoublePair x, double limit) {
  const PairMask within = Magnitude(x) <= limit;
  return __builtin_ia32_movmskpd(reinterpret_cast<DoublePair>(within)) == 3;
}
inline DoublePair Select(PairMask condition, DoublePair a, DoublePair b) {
  return condition ? a : b;
}
