#include "editor/Rect.h"

#include <algorithm>

Rect Rect::Intersect(const Rect& other) const {
  if (Empty() || other.Empty()) return Rect();
  const Rect overlap(std::max(left, other.left), std::max(top, other.top),
                     std::min(right, other.right), std::min(bottom, other.bottom));
  if (overlap.left >= overlap.right || overlap.top >= overlap.bottom) return Rect();
  return overlap;
}

Rect Rect::Union(const Rect& other) const {
  if (Empty()) return other;
  if (other.Empty()) return *this;
  return Rect(std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
              std::max(bottom, other.bottom));
}

bool Rect::Touches(const Rect& other) const {
  return right >= other.left && left < other.right && bottom >= other.top && top < other.bottom;
}
