#pragma once

#include "raster/LICE_Types.h"

// A rectangle in window pixels; right and bottom are exclusive. All four
// values 0 is the empty rectangle, which contains no point.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr Rect() = default;
  constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

  int W() const { return right - left; }
  int H() const { return bottom - top; }
  bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool operator==(const Rect&) const = default;

  // The overlap of both, or the empty rectangle when either is empty or they
  // do not overlap.
  Rect Intersect(const Rect& other) const;
  // The smallest rectangle holding both; an empty one adds nothing.
  Rect Union(const Rect& other) const;
  // The loose overlap test of strict drawing: an area touching the rect's
  // left or top edge from outside still counts.
  bool Touches(const Rect& other) const;
  LICE_Rect ToLice() const { return LICE_Rect{left, top, right, bottom}; }
};
