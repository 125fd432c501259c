#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "ReadoutInk.h"
#include "SilentBlock.h"
#include "editor/EditorScale.h"
#include "editor/IGraphicsHeadless.h"
#include "raster/FrameResampler.h"
#include "raster/LICE_SysBitmap.h"
#include "vst2/Tovrane.h"

namespace {

constexpr double kTestedFactors[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

TEST(EditorScale, LayoutUnitsAndPixelsMapBackAndForthExactly) {
  EXPECT_EQ(EditorScale::FromFactor(0.2).Quarters(), 4);
  EXPECT_EQ(EditorScale::FromFactor(1.6).Quarters(), 6);
  EXPECT_EQ(EditorScale::FromFactor(9.0).Quarters(), 12);
  EXPECT_EQ(EditorScale::FromFactor(std::nan("")).Quarters(), 4);
  for (int q = EditorScale::kSmallestQuarters; q <= EditorScale::kLargestQuarters; ++q) {
    const EditorScale scale = EditorScale::FromQuarters(q);
    EXPECT_EQ(scale.ToPixels(1000), 250 * q);
    EXPECT_EQ(scale.ToPixels(420), 105 * q);
    for (int x = -8; x < 1000; ++x) {
      // Every pixel between a unit's edge and the next one's maps back to it,
      // so a control's scaled rectangle takes exactly the clicks meant for it.
      for (int p = scale.ToPixels(x); p < scale.ToPixels(x + 1); ++p) {
        ASSERT_EQ(scale.ToLayout(p), x) << q << " quarters, pixel " << p;
      }
      ASSERT_LE(scale.ToPixels(x + 1) - scale.ToPixels(x), scale.PixelSpan(1));
    }
    const Rect pixels(3, 5, 17, 29);
    const Rect covering = scale.LayoutCovering(pixels);
    EXPECT_TRUE(scale.ToPixels(covering).Intersect(pixels) == pixels) << q;
  }
}

struct ScaledEditor {
  ScaledEditor() : plug(std::make_unique<Tovrane>()) {
    graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
  }
  LICE_IBitmap& Draw(double factor) {
    graphics->SetScale(EditorScale::FromFactor(factor));
    graphics->RedrawAll();
    return *graphics->BackBuffer();
  }

  std::unique_ptr<Tovrane> plug;
  IGraphicsHeadless* graphics = nullptr;
};

LICE_pixel At(LICE_IBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[static_cast<std::ptrdiff_t>(y) * bitmap.RowSpan() + x];
}

int Channel(LICE_pixel p, int c) { return static_cast<int>((p >> (8 * c)) & 255); }

// The mean difference per colour channel between a picture shrunk by an
// area average of n x n pixels and the full-scale picture.
double ShrunkDifference(LICE_IBitmap& scaled, LICE_IBitmap& full, int n) {
  double total = 0;
  for (int y = 0; y < full.Height(); ++y) {
    for (int x = 0; x < full.Width(); ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < n; ++dy) {
          for (int dx = 0; dx < n; ++dx) sum += Channel(At(scaled, x * n + dx, y * n + dy), c);
        }
        total += std::abs(sum / static_cast<double>(n * n) - Channel(At(full, x, y), c));
      }
    }
  }
  return total / (3.0 * full.Width() * full.Height());
}

// Detail finer than the full-scale picture's pixels: the mean difference
// of each pixel from the mean of its n x n block. A picture made by
// repeating each pixel n times has none.
double DetailWithinBlocks(LICE_IBitmap& picture, int n) {
  double total = 0;
  const int w = picture.Width() / n;
  const int h = picture.Height() / n;
  for (int by = 0; by < h; ++by) {
    for (int bx = 0; bx < w; ++bx) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < n; ++dy) {
          for (int dx = 0; dx < n; ++dx) sum += Channel(At(picture, bx * n + dx, by * n + dy), c);
        }
        const double mean = sum / static_cast<double>(n * n);
        for (int dy = 0; dy < n; ++dy) {
          for (int dx = 0; dx < n; ++dx) {
            total += std::abs(Channel(At(picture, bx * n + dx, by * n + dy), c) - mean);
          }
        }
      }
    }
  }
  return total / (3.0 * w * h * n * n);
}

// Whether a pixel sits on an edge of the picture: a step of more than 40
// in some channel to its right or lower neighbour. The panel's fine grain
// stays far below that.
bool OnEdge(LICE_IBitmap& picture, int x, int y) {
  if (x + 1 >= picture.Width() || y + 1 >= picture.Height()) return false;
  for (int c = 0; c < 3; ++c) {
    const int here = Channel(At(picture, x, y), c);
    if (std::abs(here - Channel(At(picture, x + 1, y), c)) > 40 ||
        std::abs(here - Channel(At(picture, x, y + 1), c)) > 40) {
      return true;
    }
  }
  return false;
}

// The mean difference per colour channel from truth over truth's edges:
// where a blurred picture differs most from a sharp one.
double EdgeDifference(LICE_IBitmap& picture, LICE_IBitmap& truth) {
  double total = 0;
  long pixels = 0;
  for (int y = 0; y < truth.Height(); ++y) {
    for (int x = 0; x < truth.Width(); ++x) {
      if (!OnEdge(truth, x, y)) continue;
      ++pixels;
      for (int c = 0; c < 3; ++c) {
        total += std::abs(Channel(At(picture, x, y), c) - Channel(At(truth, x, y), c));
      }
    }
  }
  return pixels > 0 ? total / (3.0 * pixels) : 0.0;
}

std::unique_ptr<LICE_MemBitmap> Resized(LICE_IBitmap& picture, double ratio, LICE_IBitmap& like) {
  FrameResampleRequest request;
  request.ratio = ratio;
  request.frameWidth = like.Width();
  request.frameHeight = like.Height();
  return ResampleFrames(picture, request);
}

TEST(EditorScale, ThePictureIsDrawnSharpAtEveryScale) {
  ScaledEditor e;
  ASSERT_NE(e.graphics, nullptr);
  auto full = Resized(e.Draw(1.0), 1.0, *e.graphics->BackBuffer());
  auto largest = Resized(e.Draw(3.0), 1.0, *e.graphics->BackBuffer());
  ASSERT_TRUE(full && largest);
  const double tripledDetail = DetailWithinBlocks(*largest, 3);
  EXPECT_GT(tripledDetail, 1.0) << "a pixel-tripled picture has 0";

  LICE_IBitmap& twice = e.Draw(2.0);
  ASSERT_EQ(twice.Width(), 2000);
  ASSERT_EQ(twice.Height(), 840);
  const double shrunk = ShrunkDifference(twice, *full, 2);
  const double doubledDetail = DetailWithinBlocks(twice, 2);
  std::printf("200 %% shrunk by 2: %.2f from 100 %%; detail within 2x2 blocks %.2f, 3x3 at 300 %% %.2f\n",
              shrunk, doubledDetail, tripledDetail);
  EXPECT_LT(shrunk, 4.0) << "the same picture";
  EXPECT_GT(doubledDetail, 1.0) << "a pixel-doubled picture has 0";

  // On the edges of the 300 % picture shrunk to the same size, the editor
  // drawn at a scale is much nearer than the 100 % picture stretched to it.
  for (double factor : {1.5, 2.0}) {
    LICE_IBitmap& drawn = e.Draw(factor);
    auto truth = Resized(*largest, factor / 3.0, drawn);
    auto stretched = Resized(*full, factor, drawn);
    ASSERT_TRUE(truth && stretched);
    const double drawnError = EdgeDifference(drawn, *truth);
    const double stretchedError = EdgeDifference(*stretched, *truth);
    std::printf("scale %.2f: %.2f from the shrunk 300 %% picture, %.2f stretched from 100 %%\n",
                factor, drawnError, stretchedError);
    EXPECT_LT(drawnError, 0.75 * stretchedError) << factor;
  }
}

// The rows of the readout holding green text pixels.
int InkRows(LICE_IBitmap& picture, const Rect& area) {
  int rows = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    rows += GreenPixelsIn(picture, Rect(area.left, y, area.right, y + 1)) > 0 ? 1 : 0;
  }
  return rows;
}

TEST(EditorScale, TextIsSetAtTheScaledSize) {
  ScaledEditor e;
  ASSERT_NE(e.graphics, nullptr);
  AEffect* effect = e.plug->Effect();
  effect->setParameter(effect, kWide, 0.4f);
  RunSilentBlock(effect);
  const Rect readout(663, 368, 773, 399);
  const int fullRows = InkRows(e.Draw(1.0), readout);
  const EditorScale two = EditorScale::FromFactor(2.0);
  const int twiceRows = InkRows(e.Draw(2.0), two.ToPixels(readout));
  ASSERT_GT(fullRows, 5);
  EXPECT_NEAR(twiceRows, 2 * fullRows, 2) << "glyphs twice as tall, not one size in a larger box";
}

// Clicks at the corners of every control's scaled rectangle reach that
// control, and the pixels just outside reach what the layout has there.
TEST(EditorScale, ClicksReachTheControlUnderThemAtEveryScale) {
  ScaledEditor e;
  ASSERT_NE(e.graphics, nullptr);
  IGraphics& g = *e.graphics;
  for (double factor : kTestedFactors) {
    const EditorScale scale = EditorScale::FromFactor(factor);
    g.SetScale(scale);
    for (int i = 1; i < g.NControls(); ++i) {
      const Rect& r = g.GetControl(i)->GetRect();
      if (g.FindControlAt(r.left, r.top) != i || g.FindControlAt(r.right - 1, r.bottom - 1) != i) {
        continue;  // a corner another control covers
      }
      const Rect p = scale.ToPixels(r);
      const MouseMods none;
      for (const auto& [x, y] : {std::pair{p.left, p.top}, std::pair{p.right - 1, p.bottom - 1}}) {
        g.MouseDown(x, y, none);
        EXPECT_EQ(g.Capture(), i) << factor << " control " << i;
        g.MouseUp(x, y, none);
      }
      g.MouseDown(p.left - 1, p.top, none);
      EXPECT_EQ(g.Capture(), g.FindControlAt(r.left - 1, r.top)) << factor << " control " << i;
      g.MouseUp(p.left - 1, p.top, none);
    }
  }
}

TEST(EditorScale, ADragOfTheSameLengthInTheLayoutTurnsAKnobAlike) {
  double turned[3] = {};
  const double factors[3] = {1.0, 1.5, 2.0};
  for (int k = 0; k < 3; ++k) {
    ScaledEditor e;
    ASSERT_NE(e.graphics, nullptr);
    IGraphics& g = *e.graphics;
    const EditorScale scale = EditorScale::FromFactor(factors[k]);
    g.SetScale(scale);
    int knob = -1;
    for (int i = 1; i < g.NControls() && knob < 0; ++i) {
      if (g.GetControl(i)->ParamIdx() == kWow) knob = i;
    }
    ASSERT_GE(knob, 0);
    const Rect p = scale.ToPixels(g.GetControl(knob)->GetRect());
    const int x = (p.left + p.right) / 2;
    const int y = (p.top + p.bottom) / 2;
    const double before = g.GetControl(knob)->Value();
    const MouseMods none;
    g.MouseDown(x, y, none);
    // 30 layout units upwards, one pixel at a time.
    const int pixels = scale.ToPixels(30);
    for (int d = 1; d <= pixels; ++d) g.MouseDrag(x, y - d, none);
    g.MouseUp(x, y - pixels, none);
    turned[k] = g.GetControl(knob)->Value() - before;
  }
  EXPECT_GT(turned[0], 0.0);
  EXPECT_DOUBLE_EQ(turned[1], turned[0]);
  EXPECT_DOUBLE_EQ(turned[2], turned[0]);
}

}  // namespace
