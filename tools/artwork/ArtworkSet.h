#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ArtImage.h"
#include "resources/EditorImages.h"

// The drawing of each of the editor's images (resources/EditorImages.h).
class ArtworkSet {
 public:
  // Draws every image at factor pixels per layout unit (one of
  // kImageSetFactors); the result is indexed like kEditorImages.
  void DrawAll(int factor);
  const ArtImage& Image(int id) const;
  // Writes the images drawn at factor under their set's file names.
  bool WriteAll(const std::string& directory, int factor) const;

 private:
  std::vector<std::unique_ptr<ArtImage>> images;
};
