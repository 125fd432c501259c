#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "LICE_CachedFont.h"
#include "LICE_FontCache.h"
#include "LICE_FreeTypeFont.h"
#include "LICE_MemBitmap.h"

namespace {

constexpr LICE_pixel kBlack = LICE_RGBA(0, 0, 0, 255);

LICE_FontRequest Request(const char* face, int height, int style = 0) {
  LICE_FontRequest request;
  std::strncpy(request.face, face, sizeof request.face - 1);
  request.height = height;
  request.style = style;
  return request;
}

// A font of its own (not from the cache), so colour and alpha changes in one
// test do not leak into another.
std::unique_ptr<LICE_CachedFont> MakeFont(const char* face, int height, int style = 0) {
  auto font = std::make_unique<LICE_CachedFont>();
  font->SetFromSystemFont(CreateSystemFont(Request(face, height, style)).release(),
                          kFontOwnsSystemFont | kFontRenderNatively);
  font->SetTextColour(LICE_RGBA(255, 255, 255, 255));
  return font;
}

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right, bottom exclusive
  int pixels = 0;
  long total = 0;  // sum of all channel values
};

Ink FindInk(LICE_IBitmap& bitmap, LICE_pixel background) {
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const LICE_pixel p = bitmap.Bits()[y * bitmap.RowSpan() + x];
      if (p == background) continue;
      ++ink.pixels;
      ink.total += LICE_GetR(p) + LICE_GetG(p) + LICE_GetB(p);
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y + 1);
    }
  }
  return ink;
}

void MakeCanvas(LICE_MemBitmap* bitmap) {
  bitmap->Resize(200, 80);
  for (int i = 0; i < 200 * 80; ++i) bitmap->Bits()[i] = kBlack;
}

Ink Draw(LICE_IFont& font, const char* text, LICE_Rect rect, int format,
         LICE_MemBitmap* out = nullptr) {
  LICE_MemBitmap canvas;
  MakeCanvas(&canvas);
  font.DrawText(&canvas, text, -1, &rect, format);
  const Ink ink = FindInk(canvas, kBlack);
  if (out) {
    out->Resize(200, 80);
    std::memcpy(out->Bits(), canvas.Bits(), 200 * 80 * sizeof(LICE_pixel));
  }
  return ink;
}

TEST(FontMatch, ArialResolvesToItsMetricMatch) {
  FontFileMatch regular, bold;
  ASSERT_TRUE(MatchFontFile("Arial", false, false, &regular));
  ASSERT_TRUE(MatchFontFile("Arial", true, false, &bold));
  EXPECT_NE(regular.path.find("LiberationSans-Regular"), std::string::npos) << regular.path;
  EXPECT_NE(bold.path.find("LiberationSans-Bold"), std::string::npos) << bold.path;
}

TEST(Text, DrawsInsideTheRectangleAndTheSameTwice) {
  auto font = MakeFont("Arial", 15);
  EXPECT_EQ(font->LineHeight(), 15);
  const LICE_Rect rect{20, 10, 180, 40};
  LICE_MemBitmap first, second;
  const Ink ink = Draw(*font, "Kestravon 42%", rect, kTextAlignLeft, &first);
  Draw(*font, "Kestravon 42%", rect, kTextAlignLeft, &second);
  ASSERT_GT(ink.pixels, 50);
  EXPECT_GE(ink.left, rect.left);
  EXPECT_LE(ink.left, rect.left + 2);
  EXPECT_GE(ink.top, rect.top);
  EXPECT_LE(ink.bottom, rect.top + 15);
  EXPECT_EQ(std::memcmp(first.Bits(), second.Bits(), 200 * 80 * sizeof(LICE_pixel)), 0);
}

TEST(Text, AlignmentMovesTheTextByTheRulesOffsets) {
  auto font = MakeFont("Arial", 15);
  const LICE_Rect rect{10, 5, 190, 75};
  LICE_Rect measured{0, 0, 0, 0};
  EXPECT_EQ(font->DrawText(nullptr, "Quad mix", -1, &measured, kTextMeasureOnly), 15);
  const int width = measured.Width();
  ASSERT_GT(width, 30);
  const Ink left = Draw(*font, "Quad mix", rect, kTextAlignLeft);
  const Ink centre = Draw(*font, "Quad mix", rect, kTextAlignCentre);
  const Ink right = Draw(*font, "Quad mix", rect, kTextAlignRight);
  const Ink middle = Draw(*font, "Quad mix", rect, kTextAlignCentre | kTextAlignMiddle);
  const Ink bottom = Draw(*font, "Quad mix", rect, kTextAlignLeft | kTextAlignBottom);
  EXPECT_EQ(centre.left - left.left, (rect.left + rect.right - width) / 2 - rect.left);
  EXPECT_EQ(right.left - left.left, rect.right - width - rect.left);
  EXPECT_EQ(middle.top - centre.top, (rect.top + rect.bottom - 15) / 2 - rect.top);
  EXPECT_EQ(bottom.top - left.top, rect.bottom - 15 - rect.top);
  // Centred ink sits in the middle of the rectangle.
  EXPECT_NEAR((centre.left + centre.right) / 2.0, (rect.left + rect.right) / 2.0, 2.0);
}

TEST(Text, ColourAlphaAndWeight) {
  auto font = MakeFont("Arial", 15);
  const LICE_Rect rect{0, 0, 200, 80};
  LICE_MemBitmap canvas;
  font->SetTextColour(LICE_RGBA(0, 255, 0, 255));
  const Ink green = Draw(*font, "Age", rect, 0, &canvas);
  for (int i = 0; i < 200 * 80; ++i) {
    const LICE_pixel p = canvas.Bits()[i];
    ASSERT_EQ(LICE_GetR(p) + LICE_GetB(p), 0);
  }
  font->SetTextColour(LICE_RGBA(255, 0, 0, 255));
  const Ink red = Draw(*font, "Age", rect, 0);
  EXPECT_EQ(red.pixels, green.pixels);
  EXPECT_EQ(red.total, green.total);

  // The colour's own alpha counts only when asked for.
  font->SetTextColour(LICE_RGBA(255, 0, 0, 128));
  EXPECT_EQ(Draw(*font, "Age", rect, 0).total, red.total);
  const Ink faded = Draw(*font, "Age", rect, kTextUseForegroundAlpha);
  EXPECT_LT(faded.total, red.total * 6 / 10);
  EXPECT_GT(faded.total, red.total * 4 / 10);
  font->SetTextColour(LICE_RGBA(255, 0, 0, 255));
  font->SetAlpha(0.5f);
  EXPECT_EQ(Draw(*font, "Age", rect, 0).total, faded.total);
}

TEST(Text, Utf8AndItsLatin1Fallback) {
  auto font = MakeFont("Arial", 15);
  const LICE_Rect rect{0, 0, 200, 80};
  LICE_MemBitmap utf8, latin1, plain;
  Draw(*font, "caf\xC3\xA9", rect, 0, &utf8);
  Draw(*font, "caf\xE9", rect, 0, &latin1);  // invalid UTF-8: the bytes as Latin-1
  Draw(*font, "cafe", rect, 0, &plain);
  EXPECT_EQ(std::memcmp(utf8.Bits(), latin1.Bits(), 200 * 80 * 4), 0);
  EXPECT_NE(std::memcmp(utf8.Bits(), plain.Bits(), 200 * 80 * 4), 0);
}

TEST(Text, LinesClippingAndStyles) {
  auto font = MakeFont("Arial", 15);
  LICE_Rect measured{0, 0, 0, 0};
  EXPECT_EQ(font->DrawText(nullptr, "A\r\nB", -1, &measured, kTextMeasureOnly), 30);
  EXPECT_EQ(font->DrawText(nullptr, "A\nB", -1, &measured, kTextMeasureOnly | kTextSingleLine), 15);

  const LICE_Rect small{50, 20, 70, 27};
  const Ink clipped = Draw(*font, "HHHHHH", small, 0);
  EXPECT_GE(clipped.left, small.left);
  EXPECT_LE(clipped.right, small.right);
  EXPECT_LE(clipped.bottom, small.bottom);
  const Ink free = Draw(*font, "HHHHHH", small, kTextNoClip);
  EXPECT_GT(free.right, small.right);

  auto bold = MakeFont("Arial", 15, 1);
  const LICE_Rect rect{0, 0, 200, 80};
  EXPECT_GT(Draw(*bold, "Harmonics", rect, 0).total, Draw(*font, "Harmonics", rect, 0).total);
}

TEST(Text, SharedFontDrawsTheSameFromSeveralThreads) {
  LICE_CachedFont* font = LICE_FontCache::Find(Request("Arial", 15));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(LICE_FontCache::Find(Request("Arial", 15)), font);
  EXPECT_NE(LICE_FontCache::Find(Request("Arial", 16)), font);
  EXPECT_EQ(LICE_FontCache::Find(Request("Arial", 0)), nullptr);
  font->SetTextColour(LICE_RGBA(255, 255, 255, 255));
  const std::string text = "\xC3\x84 \xC3\xB6 \xCE\xA9 \xE2\x82\xAC Kestravon";
  LICE_MemBitmap results[4];
  std::thread threads[4];
  for (int i = 0; i < 4; ++i) {
    threads[i] = std::thread([&, i] {
      MakeCanvas(&results[i]);
      LICE_Rect rect{0, 0, 200, 80};
      font->DrawText(&results[i], text.c_str(), -1, &rect, kTextAlignCentre);
    });
  }
  for (auto& thread : threads) thread.join();
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(std::memcmp(results[0].Bits(), results[i].Bits(), 200 * 80 * 4), 0);
  }
}

}  // namespace
