#pragma once

#include <vector>

#include "LICE_GlyphCache.h"
#include "LICE_IFont.h"

// A font made from a system font. Text goes through the system's own text
// call where the font supports it; otherwise each glyph is rendered once into
// the glyph cache and composited from there.
class LICE_CachedFont : public LICE_IFont {
 public:
  LICE_CachedFont() = default;
  ~LICE_CachedFont() override;

  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  void SetFromSystemFont(LICE_SystemFont* font, int newFlags) override;
  void SetTextColour(LICE_pixel colour) override { textColour = colour; }
  void SetBackgroundColour(LICE_pixel colour) override { backgroundColour = colour; }
  void SetBackgroundMode(int mode) override { backgroundMode = mode; }
  void SetAlpha(float newAlpha) override { alpha = newAlpha; }
  LICE_pixel TextColour() const override { return textColour; }
  int LineHeight() const override { return lineHeight; }
  int DrawText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
               int format) override;

 private:
  struct Line {
    std::size_t first = 0;
    std::size_t end = 0;
    int width = 0;
  };

  const LICE_Glyph* FindOrRenderGlyph(char32_t code);
  std::vector<Line> LayOutLines(const std::vector<char32_t>& codes, int format);
  int ComputeTextWeight(int format) const;
  void FillLineBackground(LICE_IBitmap* dest, const LICE_Rect& box, const LICE_Rect& clip) const;
  void DrawGlyph(LICE_IBitmap* dest, const LICE_Glyph& glyph, int x, int y, const LICE_Rect& clip,
                 int ia) const;

  LICE_pixel textColour = LICE_RGBA(0, 0, 0, 255);
  LICE_pixel backgroundColour = LICE_RGBA(255, 255, 255, 255);
  int backgroundMode = kBackgroundTransparent;
  float alpha = 1.0f;
  int flags = 0;
  int lineHeight = 0;
  LICE_SystemFont* systemFont = nullptr;
  LICE_GlyphCache glyphs;
};
