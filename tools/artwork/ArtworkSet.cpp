#include "ArtworkSet.h"

#include <cstdio>
#include <stdexcept>

#include "ButtonArt.h"
#include "KnobArt.h"
#include "PanelArt.h"
#include "SwitchArt.h"
#include "TubeArt.h"

namespace {

void DrawEntry(const ArtworkEntry& e, ArtImage& image) {
  switch (e.id) {
    case 101:
      KnobArt::DrawStrip(image, e.frames);
      break;
    case 102:
      SwitchArt::DrawToggleStrip(image, e.frames);
      break;
    case 103:
      PanelArt::Draw(image);
      break;
    case 104:
      SwitchArt::DrawSlideStrip(image);
      break;
    case 105:
      ButtonArt::DrawRadioStrip(image);
      break;
    case 106:
      TubeArt::DrawWhiteStrip(image, e.frames);
      break;
    case 107:
      TubeArt::DrawOrangeStrip(image, e.frames);
      break;
    case 108:
      ButtonArt::DrawPowerStrip(image);
      break;
    case 120:
      ButtonArt::DrawUndoStrip(image);
      break;
    case 121:
      ButtonArt::DrawRedoStrip(image);
      break;
    case 122:
      ButtonArt::DrawAbStrip(image);
      break;
    case 123:
      ButtonArt::DrawCopyStrip(image);
      break;
    default:
      break;
  }
}

}  // namespace

const std::vector<ArtworkEntry>& ArtworkSet::Entries() {
  static const std::vector<ArtworkEntry> entries = {
      {101, "PlainKnob01-64-101ov2.png", 64, 6464, 101},
      {102, "switch3-2.png", 64, 240, 3},
      {103, "Kestravon38exp.png", 1000, 420, 1},
      {104, "switch_slide56.png", 56, 112, 2},
      {105, "button_standart25.png", 34, 68, 2},
      {106, "Tube-white12-140.png", 140, 8960, 64},
      {107, "Tube-orange11-40.png", 40, 2560, 64},
      {108, "Power_switch_01-4.png", 64, 128, 2},
      {120, "undo1.png", 25, 50, 2},
      {121, "redo1.png", 25, 50, 2},
      {122, "AB1.png", 50, 50, 2},
      {123, "COPY1.png", 75, 50, 2},
  };
  return entries;
}

void ArtworkSet::DrawAll() {
  images.clear();
  for (const ArtworkEntry& e : Entries()) {
    images.push_back(std::make_unique<ArtImage>(e.width, e.height));
    DrawEntry(e, *images.back());
  }
}

const ArtImage& ArtworkSet::Image(int id) const {
  const auto& entries = Entries();
  for (size_t i = 0; i < entries.size() && i < images.size(); ++i) {
    if (entries[i].id == id) return *images[i];
  }
  throw std::out_of_range("no image with that resource id");
}

bool ArtworkSet::WriteAll(const std::string& directory) const {
  const auto& entries = Entries();
  for (size_t i = 0; i < entries.size() && i < images.size(); ++i) {
    const std::string path = directory + "/" + entries[i].fileName;
    if (!images[i]->WritePng(path)) {
      std::fprintf(stderr, "kestravon-artwork: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}
