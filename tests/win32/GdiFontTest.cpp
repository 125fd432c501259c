// GDI fonts behind the cached font: native drawing and the glyph path both put
// the text where the format says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "raster/LICE_CachedFont.h"
#include "raster/LICE_GdiFont.h"
#include "raster/LICE_MemBitmap.h"
#include "raster/LICE_SysBitmap.h"

namespace {

LICE_FontRequest Request(int height) {
  LICE_FontRequest request;
  std::snprintf(request.face, sizeof request.face, "Arial");
  request.height = height;
  return request;
}

std::unique_ptr<LICE_CachedFont> MakeFont(bool native) {
  auto system = LICE_GdiFont::Create(Request(16), native);
  if (!system) return nullptr;
  auto font = std::make_unique<LICE_CachedFont>();
  font->SetFromSystemFont(system.release(), kFontOwnsSystemFont | kFontRenderNatively);
  font->SetTextColour(LICE_RGBA(0, 0, 0, 255));
  return font;
}

// Where the text left pixels that are no longer white, and whether every
// pixel kept alpha 255.
struct Ink {
  LICE_Rect box{1 << 20, 1 << 20, -1, -1};
  int pixels = 0;
  bool opaque = true;
};

Ink Draw(LICE_CachedFont& font, LICE_IBitmap& bitmap, LICE_Rect rect, int format) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::fill_n(bitmap.Bits() + y * bitmap.RowSpan(), bitmap.Width(), LICE_RGBA(255, 255, 255, 255));
  }
  font.DrawText(&bitmap, "Kestravon", -1, &rect, format);
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const LICE_pixel p = bitmap.Bits()[y * bitmap.RowSpan() + x];
      ink.opaque = ink.opaque && LICE_GetA(p) == 255;
      if ((p & 0xFFFFFFu) == 0xFFFFFFu) continue;
      ++ink.pixels;
      ink.box = LICE_Rect{std::min(ink.box.left, x), std::min(ink.box.top, y),
                          std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
    }
  }
  return ink;
}

void ExpectInside(const Ink& ink, const LICE_Rect& rect, int slack) {
  ASSERT_GT(ink.pixels, 20);
  EXPECT_GE(ink.box.left, rect.left - slack);
  EXPECT_LE(ink.box.right, rect.right + slack);
  EXPECT_GE(ink.box.top, rect.top - slack);
  EXPECT_LE(ink.box.bottom, rect.bottom + slack);
}

}  // namespace

TEST(GdiFont, MetricsComeFromGdiAndTheProcessChoosesTheTextPath) {
  auto font = LICE_GdiFont::Create(Request(16), true);
  ASSERT_NE(font, nullptr);
  EXPECT_GE(font->Height(), 14);
  EXPECT_LE(font->Height(), 20);
  EXPECT_EQ(LICE_GdiFont::Create(Request(0), true), nullptr);
  LICE_FontRequest unterminated = Request(14);
  std::fill_n(unterminated.face, sizeof unterminated.face, 'A');
  EXPECT_NE(LICE_GdiFont::Create(unterminated, true), nullptr) << "a full face field is no overrun";

  auto system = CreateSystemFont(Request(14));
  auto* gdi = dynamic_cast<LICE_GdiFont*>(system.get());
  ASSERT_NE(gdi, nullptr);
  EXPECT_EQ(gdi->DrawsNatively(), !RunningUnderWine());
  EXPECT_TRUE(LICE_GdiFont::Create(Request(300), false)->DrawsNatively())
      << "glyphs that tall are not cached";
}

TEST(GdiFont, BothPathsPutTheTextInTheRectAfterItsAlignment) {
  const LICE_Rect rect{20, 10, 280, 40};
  Ink leftInk[2];
  for (bool native : {true, false}) {
    SCOPED_TRACE(native ? "native" : "glyphs");
    auto font = MakeFont(native);
    ASSERT_NE(font, nullptr);
    LICE_SysBitmap bitmap(300, 80);
    const Ink left = Draw(*font, bitmap, rect, kTextAlignLeft | kTextNoClip);
    ExpectInside(left, rect, 2);
    EXPECT_LE(left.box.left, rect.left + 3);
    EXPECT_TRUE(left.opaque) << "text leaves the alpha as it was";
    leftInk[native] = left;

    const Ink centre = Draw(*font, bitmap, rect, kTextAlignCentre | kTextNoClip);
    ExpectInside(centre, rect, 2);
    EXPECT_NEAR((centre.box.left + centre.box.right) / 2, (rect.left + rect.right) / 2, 3);

    const Ink right = Draw(*font, bitmap, rect, kTextAlignRight | kTextNoClip);
    ExpectInside(right, rect, 2);
    EXPECT_GE(right.box.right, rect.right - 3);
    EXPECT_EQ(right.box.right - right.box.left, left.box.right - left.box.left);
  }
  // The two renderers agree on where the ink goes.
  EXPECT_NEAR(leftInk[0].box.left, leftInk[1].box.left, 1);
  EXPECT_NEAR(leftInk[0].box.right, leftInk[1].box.right, 2);
  EXPECT_NEAR(leftInk[0].box.top, leftInk[1].box.top, 1);
  EXPECT_NEAR(leftInk[0].box.bottom, leftInk[1].box.bottom, 1);
}

TEST(GdiFont, NativeTextReachesBitmapsWithoutAContextThroughTheScratch) {
  auto font = MakeFont(true);
  ASSERT_NE(font, nullptr);
  LICE_MemBitmap memory(300, 80);
  ASSERT_EQ(memory.DeviceContext(), nullptr);
  const LICE_Rect rect{20, 10, 280, 40};
  const Ink ink = Draw(*font, memory, rect, kTextAlignCentre | kTextNoClip);
  EXPECT_TRUE(ink.opaque);
  LICE_SysBitmap system(300, 80);
  const Ink same = Draw(*font, system, rect, kTextAlignCentre | kTextNoClip);
  EXPECT_EQ(same.box.left, ink.box.left);
  EXPECT_EQ(same.box.right, ink.box.right);
  EXPECT_EQ(same.pixels, ink.pixels);

  // Without no-clip, text much wider than its rect stays inside it.
  const LICE_Rect narrow{100, 10, 130, 40};
  ExpectInside(Draw(*font, memory, narrow, kTextAlignCentre), narrow, 0);
}

TEST(GdiFont, GlyphsCarryAdvanceAndCoverage) {
  auto font = LICE_GdiFont::Create(Request(20), false);
  ASSERT_NE(font, nullptr);
  LICE_Glyph m;
  ASSERT_TRUE(font->RenderGlyph(U'M', &m));
  EXPECT_GT(m.advance, 8);
  EXPECT_EQ(m.coverage.size(), static_cast<std::size_t>(m.width * m.height));
  EXPECT_EQ(*std::max_element(m.coverage.begin(), m.coverage.end()), 255) << "solid stems";
  EXPECT_GE(m.top, 0);
  EXPECT_LE(m.top + m.height, font->Height());

  LICE_Glyph space;
  ASSERT_TRUE(font->RenderGlyph(U' ', &space));
  EXPECT_GT(space.advance, 0);
  EXPECT_TRUE(space.coverage.empty());
  LICE_Glyph astral;
  EXPECT_TRUE(font->RenderGlyph(U'\U0001F3B5', &astral)) << "a surrogate pair";
}
