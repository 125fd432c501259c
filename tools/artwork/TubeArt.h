#pragma once

class ArtImage;

// Spare tube strips that ship with the image set; no control of the editor uses
// them. Frames run from a cold tube (first frame) to full glow (last frame).
class TubeArt {
 public:
  // Large glass tube with a warm-white glowing filament.
  static void DrawWhiteStrip(ArtImage& image, int frames);
  // Small tube seen from above, glowing orange.
  static void DrawOrangeStrip(ArtImage& image, int frames);
};
