#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ArtImage.h"

// The twelve editor images: resource id, file name, size and frame count, and the
// drawing of each.
struct ArtworkEntry {
  int id;
  const char* fileName;
  int width;
  int height;
  int frames;
};

class ArtworkSet {
 public:
  static const std::vector<ArtworkEntry>& Entries();

  // Draws every image; the result is indexed like Entries().
  void DrawAll();
  const ArtImage& Image(int id) const;
  bool WriteAll(const std::string& directory) const;

 private:
  std::vector<std::unique_ptr<ArtImage>> images;
};
