#pragma once

inline constexpr int kBlendNormal = 0;
inline constexpr int kBlendCopy = 1;
inline constexpr int kBlendAdd = 2;
inline constexpr int kBlendDodge = 3;

// How a control's bitmaps are combined with what lies under them.
struct BlendMode {
  int method = kBlendNormal;
  float weight = 1.0f;
};
