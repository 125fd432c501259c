#pragma once

class ArtImage;

// The editor's background: panel, section plates, printed labels and captions, the
// readout's display window and the maker's logo.
class PanelArt {
 public:
  static void Draw(ArtImage& image);
};
