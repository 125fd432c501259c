#pragma once

#include "editor/Rect.h"

// How big the editor is drawn: a whole number of quarters from 4 (100 %) to
// 12 (300 %). The layout stays in its own units; this is the one place that
// maps those units to window pixels and back. Every mapping is done in
// integers, so a control's scaled rectangle and the clicks that reach it
// agree exactly: the pixel whose centre lies in a layout rectangle belongs
// to it, at every scale.
class EditorScale {
 public:
  static constexpr int kQuartersAtFull = 4;
  static constexpr int kSmallestQuarters = 4;
  static constexpr int kLargestQuarters = 12;

  constexpr EditorScale() = default;
  // Any factor is taken to the nearest quarter within 1.0 to 3.0; a factor
  // that is not a number gives 1.0.
  static EditorScale FromFactor(double factor);
  static EditorScale FromQuarters(int quarters);
  // The largest scale at which layoutWidth x layoutHeight fits in
  // width x height pixels; the smallest scale when none does.
  static EditorScale FittingIn(int width, int height, int layoutWidth, int layoutHeight);

  int Quarters() const { return quarters; }
  double Factor() const { return quarters / static_cast<double>(kQuartersAtFull); }
  bool IsFull() const { return quarters == kQuartersAtFull; }
  // The image set drawn at the smallest whole factor at least this scale.
  int ImageSetFactor() const { return (quarters + kQuartersAtFull - 1) / kQuartersAtFull; }

  // A layout edge in window pixels: x·scale rounded, halves going down.
  int ToPixels(int layout) const;
  Rect ToPixels(const Rect& layout) const;
  // A length in pixels that holds length layout units wherever they start.
  int PixelSpan(int length) const;
  // The layout unit whose extent holds the centre of pixel.
  int ToLayout(int pixel) const;
  // The smallest layout rectangle whose pixels cover the given ones.
  Rect LayoutCovering(const Rect& pixels) const;

  bool operator==(const EditorScale&) const = default;

 private:
  constexpr explicit EditorScale(int quarters) : quarters(quarters) {}

  int quarters = kQuartersAtFull;
};
