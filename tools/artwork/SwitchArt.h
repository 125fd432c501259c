#pragma once

class ArtImage;

// Spare switch strips that ship with the image set; no control of the editor uses them.
class SwitchArt {
 public:
  // Three-position bat-handle toggle: lever up, centre, down (frames top to bottom).
  static void DrawToggleStrip(ArtImage& image, int frames);
  // Two-position slide switch: slider left, then right.
  static void DrawSlideStrip(ArtImage& image);
};
