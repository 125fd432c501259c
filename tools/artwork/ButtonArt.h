#pragma once

#include <cairo.h>

class ArtImage;

// Two-frame button strips, frames stacked top to bottom. Frame 0 is the control's
// value 0 and frame 1 its value 1.
class ButtonArt {
 public:
  // Radio lamp: frame 0 unlit, frame 1 lit. The lamp keeps inside the middle of the
  // frame because neighbouring buttons overlap by up to 12 pixels.
  static void DrawRadioStrip(ArtImage& image);
  // Momentary keys: frame 0 resting, frame 1 pressed.
  static void DrawUndoStrip(ArtImage& image);
  static void DrawRedoStrip(ArtImage& image);
  static void DrawCopyStrip(ArtImage& image);
  // A/B selector: frame 0 with A lit, frame 1 with B lit.
  static void DrawAbStrip(ArtImage& image);
  // Power: value 0 means the effect runs, so frame 0 is lit and frame 1 dark.
  static void DrawPowerStrip(ArtImage& image);
};
