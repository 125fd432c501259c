#include "editor/EditorScale.h"

#include <algorithm>
#include <cmath>

namespace {

// Integer division rounding towards minus and plus infinity.
int FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(q);
}
int CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

}  // namespace

EditorScale EditorScale::FromFactor(double factor) {
  if (!std::isfinite(factor)) return EditorScale();
  const double quarters = std::round(factor * kQuartersAtFull);
  return FromQuarters(static_cast<int>(std::clamp(quarters, static_cast<double>(kSmallestQuarters),
                                                  static_cast<double>(kLargestQuarters))));
}

EditorScale EditorScale::FromQuarters(int quarters) {
  return EditorScale(std::clamp(quarters, kSmallestQuarters, kLargestQuarters));
}

EditorScale EditorScale::FittingIn(int width, int height, int layoutWidth, int layoutHeight) {
  for (int q = kLargestQuarters; q > kSmallestQuarters; --q) {
    const EditorScale scale(q);
    if (scale.ToPixels(layoutWidth) <= width && scale.ToPixels(layoutHeight) <= height) return scale;
  }
  return EditorScale(kSmallestQuarters);
}

// ceil(x·q/4 - 1/2), as (2·x·q - 4) / 8 rounded up.
int EditorScale::ToPixels(int layout) const {
  return CeilDiv(2LL * layout * quarters - kQuartersAtFull, 2LL * kQuartersAtFull);
}

Rect EditorScale::ToPixels(const Rect& layout) const {
  if (layout.Empty()) return Rect();
  return Rect(ToPixels(layout.left), ToPixels(layout.top), ToPixels(layout.right),
              ToPixels(layout.bottom));
}

int EditorScale::PixelSpan(int length) const {
  return CeilDiv(static_cast<long long>(length) * quarters, kQuartersAtFull);
}

// floor((pixel + 1/2)·4/q), as (4·pixel + 2) / q rounded down.
int EditorScale::ToLayout(int pixel) const {
  return FloorDiv(static_cast<long long>(kQuartersAtFull) * pixel + kQuartersAtFull / 2, quarters);
}

Rect EditorScale::LayoutCovering(const Rect& pixels) const {
  if (pixels.Empty()) return Rect();
  return Rect(ToLayout(pixels.left), ToLayout(pixels.top), ToLayout(pixels.right - 1) + 1,
              ToLayout(pixels.bottom - 1) + 1);
}
