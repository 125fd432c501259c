#pragma once

class ArtImage;
class ArtworkSet;

// Draws the editor as it opens: the background with every control's strip at its
// place, showing the frame for the control's start-up value.
class PreviewComposer {
 public:
  static void Compose(const ArtworkSet& set, ArtImage& target);
};
