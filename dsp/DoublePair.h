#pragma once
#if defined(__SSE2__)
#include <emmintrin.h>
#elif defined(__aarch64__)
#include <arm_neon.h>
#endif

#include <cmath>
#include <cstdint>

// Two doubles side by side in one vector register (the GCC vector
// extension, which Clang and MinGW-w64 share). Every operation on a pair is
// the IEEE operation on each half, so each half's results are bit for bit
// those of the same expression on doubles. On aarch64 the pair is a NEON
// register's two lanes, which the same operators drive one lane per channel.
// Two floats side by side, for the single-precision stages: the first two
// of a register's four. The other two come along as whatever they are and
// are never read; a register of two would need its upper half cleared after
// every operation.
#if defined(__aarch64__)
using DoublePair = float64x2_t;
using FloatPair = float32x4_t;
#else
using DoublePair = double __attribute__((vector_size(16)));
using FloatPair = float __attribute__((vector_size(16)));
#endif
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

// The conversions of each half, as static_cast gives them on one value; the
// unused upper floats are zero. The portable forms serve where neither SSE2
// nor NEON is there, and tests hold the two to each other.
inline FloatPair PortableToFloats(DoublePair x) {
  return FloatPair{static_cast<float>(x[0]), static_cast<float>(x[1]), 0.0f, 0.0f};
}
inline DoublePair PortableToDoubles(FloatPair x) {
  return DoublePair{static_cast<double>(x[0]), static_cast<double>(x[1])};
}
#if defined(__SSE2__)
inline FloatPair ToFloats(DoublePair x) { return _mm_cvtpd_ps(x); }
inline DoublePair ToDoubles(FloatPair x) { return _mm_cvtps_pd(x); }
#elif defined(__aarch64__)
inline FloatPair ToFloats(DoublePair x) {
  return vcombine_f32(vcvt_f32_f64(x), vdup_n_f32(0.0f));
}
inline DoublePair ToDoubles(FloatPair x) { return vcvt_f64_f32(vget_low_f32(x)); }
#else
inline FloatPair ToFloats(DoublePair x) { return PortableToFloats(x); }
inline DoublePair ToDoubles(FloatPair x) { return PortableToDoubles(x); }
#endif

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
// with SSE2 one comparison and one move of the two sign bits; with NEON one
// comparison and the two lanes' masks anded.
inline bool PortableBothWithin(DoublePair x, double limit) {
  return std::fabs(x[0]) <= limit && std::fabs(x[1]) <= limit;
}
inline bool BothWithin(DoublePair x, double limit) {
#if defined(__SSE2__)
  const PairMask within = Magnitude(x) <= limit;
  return _mm_movemask_pd(reinterpret_cast<DoublePair>(within)) == 3;
#elif defined(__aarch64__)
  const uint64x2_t within = vcleq_f64(vabsq_f64(x), vdupq_n_f64(limit));
  return (vgetq_lane_u64(within, 0) & vgetq_lane_u64(within, 1)) != 0;
#else
  return PortableBothWithin(x, limit);
#endif
}
inline DoublePair Select(PairMask condition, DoublePair a, DoublePair b) {
  return condition ? a : b;
}
inline int64_t Select(bool condition, int64_t a, int64_t b) { return condition ? a : b; }
inline PairMask Select(PairMask condition, PairMask a, PairMask b) { return condition ? a : b; }
// a and not b, for conditions on one sample or two.
inline bool AndNot(bool a, bool b) { return a && !b; }
inline PairMask AndNot(PairMask a, PairMask b) { return a & ~b; }

// The most lanes a sample type has, for arrays that take one value per lane.
inline constexpr int kMostLanes = 2;

// What goes with a sample type: one channel (double) or two side by side
// (DoublePair). Mask is what a comparison gives, Count a whole number per
// lane, Float the single-precision form.
template <class Sample>
struct Lanes;
template <>
struct Lanes<double> {
  using Mask = bool;
  using Count = int64_t;
  using Float = float;
  static constexpr int kCount = 1;
};
template <>
struct Lanes<DoublePair> {
  using Mask = PairMask;
  using Count = PairMask;
  using Float = FloatPair;
  static constexpr int kCount = 2;
};
// The single-precision forms: the lanes a FloatPair uses are its first two.
template <>
struct Lanes<float> {
  static constexpr int kCount = 1;
};
template <>
struct Lanes<FloatPair> {
  static constexpr int kCount = 2;
};

// One value in every lane.
template <class Sample>
inline Sample Broadcast(double v) {
  return Sample{} + v;
}
template <class Float>
inline Float BroadcastFloat(float v) {
  return Float{} + v;
}
// One lane's value, and every lane's values in order.
inline double Lane(double x, int) { return x; }
inline double Lane(DoublePair x, int lane) { return x[lane]; }
inline float Lane(float x, int) { return x; }
inline float Lane(FloatPair x, int lane) { return x[lane]; }
// A sample from one value per lane.
template <class Sample>
inline Sample FromLanes(const double* values);
template <>
inline double FromLanes<double>(const double* values) {
  return values[0];
}
template <>
inline DoublePair FromLanes<DoublePair>(const double* values) {
  return DoublePair{values[0], values[1]};
}
// Whether |x| <= limit holds in every lane (false where a lane is NaN).
inline bool AllWithin(double x, double limit) { return std::fabs(x) <= limit; }
inline bool AllWithin(DoublePair x, double limit) { return BothWithin(x, limit); }
// Whether every lane is finite.
inline bool AllFinite(double x) { return std::isfinite(x); }
inline bool AllFinite(DoublePair x) { return std::isfinite(x[0]) && std::isfinite(x[1]); }
