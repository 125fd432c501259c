#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ArtImage.h"
#include "resources/EditorImages.h"

// The drawing of each of the editor's images (resources/EditorImages.h).
class ArtworkSet {
 public:
  // Draws every image; the result is indexed like kEditorImages.
  void DrawAll();
  const ArtImage& Image(int id) const;
  bool WriteAll(const std::string& directory) const;

 private:
  std::vector<std::unique_ptr<ArtImage>> images;
};
