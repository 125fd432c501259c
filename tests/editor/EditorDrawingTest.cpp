#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "ReadoutInk.h"
#include "SilentBlock.h"
#include "editor/IGraphicsHeadless.h"
#include "raster/PngDecoder.h"
#include "vst2/Tovrane.h"

namespace {

// Decodes an artwork file straight from the source tree, bypassing the
// library's embedded copies and its bitmap cache.
std::unique_ptr<LICE_MemBitmap> DecodeArtwork(const char* file) {
  std::ifstream in(std::string(KESTRAVON_SOURCE_DIR) + "/resources/img/" + file, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  return std::unique_ptr<LICE_MemBitmap>(DecodePngFromMemory(bytes.data(), bytes.size()));
}

LICE_pixel At(LICE_IBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}

int Rgb(LICE_pixel p) { return static_cast<int>(p & 0xffffff); }

struct DrawnEditor {
  DrawnEditor() : plug(std::make_unique<Tovrane>()) {
    graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
  }
  void RunBlock() { RunSilentBlock(plug->Effect()); }

  std::unique_ptr<Tovrane> plug;
  IGraphicsHeadless* graphics = nullptr;
};

TEST(EditorDrawing, TheWholeEditorIsDrawnFromItsArtwork) {
  DrawnEditor e;
  ASSERT_NE(e.graphics, nullptr) << "Linux builds the headless core for now";
  auto background = DecodeArtwork("Kestravon38exp.png");
  auto knob = DecodeArtwork("PlainKnob01-64-101ov2.png");
  auto button = DecodeArtwork("button_standart25.png");
  ASSERT_TRUE(background && knob && button);

  e.graphics->RedrawAll();
  LICE_IBitmap& screen = *e.graphics->BackBuffer();
  EXPECT_EQ(At(screen, 100, 150), At(*background, 100, 150)) << "copied, alpha and all";
  EXPECT_EQ(At(screen, 999, 419), At(*background, 999, 419));

  // "Input Gain" at 50 % shows frame 51, which starts at row 3200 of the strip.
  int checked = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const LICE_pixel source = At(*knob, x, 3200 + y);
      if (LICE_GetA(source) != 255) continue;
      ASSERT_EQ(Rgb(At(screen, 28 + x, 108 + y)), Rgb(source)) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100) << "the knob has an opaque body";

  // "Noise type" 0 lights its top button with the strip's second frame and
  // leaves the bottom one unlit; the rows checked are covered by no later button.
  int lit = 0;
  int unlit = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 34; ++x) {
      const LICE_pixel on = At(*button, x, 34 + y);
      if (LICE_GetA(on) != 255) continue;
      EXPECT_EQ(Rgb(At(screen, 91 + x, 260 + y)), Rgb(on));
      ++lit;
    }
  }
  for (int y = 10; y < 34; ++y) {
    for (int x = 0; x < 34; ++x) {
      const LICE_pixel off = At(*button, x, y);
      if (LICE_GetA(off) != 255) continue;
      EXPECT_EQ(Rgb(At(screen, 91 + x, 356 + y)), Rgb(off));
      ++unlit;
    }
  }
  EXPECT_GT(lit, 0);
  EXPECT_GT(unlit, 0);
}

TEST(EditorDrawing, TheReadoutShowsGreenTextOnceABlockRan) {
  DrawnEditor e;
  ASSERT_NE(e.graphics, nullptr);
  auto background = DecodeArtwork("Kestravon38exp.png");
  ASSERT_TRUE(background);
  const Rect readout(663, 368, 773, 399);
  const int greenInArtwork = GreenPixelsIn(*background, readout);

  e.graphics->RedrawAll();
  EXPECT_EQ(GreenPixelsIn(*e.graphics->BackBuffer(), readout), greenInArtwork)
      << "the readout starts empty";

  AEffect* effect = e.plug->Effect();
  effect->setParameter(effect, kWide, 0.4f);
  e.RunBlock();
  e.graphics->Tick();
  EXPECT_GT(GreenPixelsIn(*e.graphics->BackBuffer(), readout), greenInArtwork + 20);
}

TEST(EditorDrawing, GreyedKnobsAreDrawnFaint) {
  DrawnEditor e;
  ASSERT_NE(e.graphics, nullptr);
  e.graphics->RedrawAll();
  LICE_IBitmap& screen = *e.graphics->BackBuffer();
  std::vector<LICE_pixel> normal;
  for (int x = 528; x < 592; ++x) normal.push_back(At(screen, x, 140));

  AEffect* effect = e.plug->Effect();
  effect->setParameter(effect, kProfile, 1.0f);
  e.graphics->Tick();
  int differing = 0;
  for (int x = 528; x < 592; ++x) differing += At(screen, x, 140) != normal[x - 528] ? 1 : 0;
  EXPECT_GT(differing, 10);
}

}  // namespace
