#pragma once

#include <cairo.h>

class ArtImage;

// The knob strip: a dark bakelite knob with an ivory pointer inside an amber value
// arc. Frame 0 is the minimum, the last frame the maximum; the pointer sweeps 270
// degrees clockwise through the top.
class KnobArt {
 public:
  static void DrawStrip(ArtImage& image, int frames);
  // One knob centred at (cx, cy) for a value 0..1.
  static void DrawKnob(cairo_t* cr, double cx, double cy, double value);

  // Pointer angle in cairo's convention (radians, clockwise from +x).
  static double PointerAngle(double value);
};
