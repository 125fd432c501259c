#pragma once

#include <algorithm>

#include "LICE_Types.h"

// Per-pixel combine rules shared by the blit and by text drawing. ia is the
// weight in 1/256 steps (256 = full weight). Divisions truncate toward zero
// on purpose: results must match to the integer.

// Weighted copy of all four bytes, for weights other than 1 and 0.5.
inline LICE_pixel LICE_CombineCopyWeighted(LICE_pixel dest, LICE_pixel src, int ia) {
  LICE_pixel out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int s = static_cast<int>((src >> shift) & 255);
    const int d = static_cast<int>((dest >> shift) & 255);
    out |= static_cast<LICE_pixel>(s + (d - s) * (256 - ia) / 256) << shift;
  }
  return out;
}

// Each byte halved and summed; the low bits are dropped.
inline LICE_pixel LICE_CombineCopyHalf(LICE_pixel dest, LICE_pixel src) {
  return ((dest >> 1) & 0x7f7f7f7fu) + ((src >> 1) & 0x7f7f7f7fu);
}

inline LICE_pixel LICE_CombineCopySourceAlpha(LICE_pixel dest, LICE_pixel src, int ia) {
  const int alpha = LICE_GetA(src);
  if (alpha == 0) return dest;
  int keep;       // weight of the destination, in 1/256
  int alphaGain;  // added to the destination alpha
  if (ia == 256) {
    if (alpha == 255) return src;
    keep = 255 - alpha;
    alphaGain = alpha;
  } else {
    const int p = ia * (alpha + 1) / 256;
    keep = 256 - p;
    alphaGain = p;
  }
  const auto mix = [keep](int s, int d) { return s + (d - s) * keep / 256; };
  const int r = mix(LICE_GetR(src), LICE_GetR(dest));
  const int g = mix(LICE_GetG(src), LICE_GetG(dest));
  const int b = mix(LICE_GetB(src), LICE_GetB(dest));
  const int a = std::min(LICE_GetA(dest) + alphaGain, 255);
  return LICE_RGBA(r, g, b, a);
}

inline LICE_pixel LICE_CombineAddSourceAlpha(LICE_pixel dest, LICE_pixel src, int ia) {
  const int alpha = LICE_GetA(src);
  const int n = ia * (alpha + 1) / 256;
  const auto add = [n](int s, int d) { return std::min(d + n * s / 256, 255); };
  return LICE_RGBA(add(LICE_GetR(src), LICE_GetR(dest)), add(LICE_GetG(src), LICE_GetG(dest)),
                   add(LICE_GetB(src), LICE_GetB(dest)),
                   std::min(LICE_GetA(dest) + alpha * n / 256, 255));
}

inline LICE_pixel LICE_CombineDodgeSourceAlpha(LICE_pixel dest, LICE_pixel src, int ia) {
  const int e = ia * (LICE_GetA(src) + 1) / 256;
  const auto dodge = [e](int s, int d) {
    const int k = s * e / 256;
    const int result = k < 255 ? d * 256 / (256 - k) : d * 256;
    return std::min(result, 255);
  };
  return LICE_RGBA(dodge(LICE_GetR(src), LICE_GetR(dest)), dodge(LICE_GetG(src), LICE_GetG(dest)),
                   dodge(LICE_GetB(src), LICE_GetB(dest)), dodge(LICE_GetA(src), LICE_GetA(dest)));
}
