#include "ArtworkSet.h"

#include <cstdio>
#include <iterator>
#include <stdexcept>

#include "ButtonArt.h"
#include "KnobArt.h"
#include "PanelArt.h"
#include "SwitchArt.h"
#include "TubeArt.h"

namespace {

void DrawEntry(const EditorImage& e, ArtImage& image) {
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

void ArtworkSet::DrawAll(int factor) {
  images.clear();
  for (const EditorImage& e : kEditorImages) {
    images.push_back(std::make_unique<ArtImage>(e.width, e.height, factor));
    DrawEntry(e, *images.back());
  }
}

const ArtImage& ArtworkSet::Image(int id) const {
  const auto& entries = kEditorImages;
  for (size_t i = 0; i < std::size(entries) && i < images.size(); ++i) {
    if (entries[i].id == id) return *images[i];
  }
  throw std::out_of_range("no image with that resource id");
}

bool ArtworkSet::WriteAll(const std::string& directory, int factor) const {
  const auto& entries = kEditorImages;
  for (size_t i = 0; i < std::size(entries) && i < images.size(); ++i) {
    if (images[i]->Scale() != factor) throw std::logic_error("images drawn at another factor");
    const std::string path = directory + "/" + ImageSetFile(entries[i].file, factor);
    if (!images[i]->WritePng(path)) {
      std::fprintf(stderr, "kestravon-artwork: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}
