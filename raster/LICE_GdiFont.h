#pragma once

#include <memory>

#include "LICE_SystemFont.h"

// A GDI font behind a LICE_CachedFont. Text is drawn by GDI's own text call
// where that is wanted (DrawNatively); otherwise the cached font composites
// glyphs that this font renders once each into 8-bit coverage.
class LICE_GdiFont : public LICE_SystemFont {
 public:
  // nativeText: whether DrawNatively uses GDI's text call. Fonts taller than
  // 255 pixels always do, as their glyphs would not fit the glyph scratch.
  static std::unique_ptr<LICE_GdiFont> Create(const LICE_FontRequest& request, bool nativeText);
  ~LICE_GdiFont() override;
  LICE_GdiFont(const LICE_GdiFont&) = delete;
  LICE_GdiFont& operator=(const LICE_GdiFont&) = delete;

  int Height() const override { return height; }
  bool RenderGlyph(char32_t code, LICE_Glyph* glyph) override;
  bool DrawNatively(LICE_IBitmap* dest, const char32_t* text, int count, LICE_Rect* rect,
                    int format, LICE_pixel colour, int* drawnHeight) override;

  // The GDI font handle (an HFONT).
  void* Handle() const { return font; }
  bool DrawsNatively() const { return nativeText || height > kMaxGlyphHeight; }

  static constexpr int kMaxGlyphHeight = 255;

 private:
  LICE_GdiFont(void* font, int height, bool nativeText);

  void* font;
  int height;
  bool nativeText;
};

// Whether the process runs under Wine, decided once per process: the registry
// key HKEY_LOCAL_MACHINE "Software\Wine" exists there. Under Wine, text is
// composited from cached glyphs rather than drawn by GDI's text call.
bool RunningUnderWine();
