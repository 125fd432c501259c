#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "LICE_IBitmap.h"
#include "LICE_Types.h"

// What a text style asks of the window system's font.
struct LICE_FontRequest {
  char face[32] = {};
  int height = 0;       // pixel height of the character cell
  int orientation = 0;  // degrees counter-clockwise
  int style = 0;        // 0 normal, 1 bold, 2 italic
  int quality = 0;      // 0 default, 1 not antialiased, 2 antialiased, 3 ClearType
};

// One glyph as 8-bit coverage, placed relative to the pen position on the top
// of the line: column left, row top.
struct LICE_Glyph {
  char32_t code = 0;
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height, row by row
};

// The window system's font behind a LICE_CachedFont: FreeType on Linux, a GDI
// font on Windows. Implementations are safe to call from several threads.
class LICE_SystemFont {
 public:
  virtual ~LICE_SystemFont() = default;

  // Line height from the font's text metrics.
  virtual int Height() const = 0;
  // Renders one character's coverage; false when the system cannot.
  virtual bool RenderGlyph(char32_t code, LICE_Glyph* glyph) = 0;
  // Draws the text with the system's own text call and sets the drawn height.
  // Fonts without such a call return false and the caller composites cached
  // glyphs instead.
  virtual bool DrawNatively(LICE_IBitmap* /*dest*/, const char32_t* /*text*/, int /*count*/,
                            LICE_Rect* /*rect*/, int /*format*/, LICE_pixel /*colour*/,
                            int* /*height*/) {
    return false;
  }
};

// Creates the platform's font for request, or null when none can be made.
std::unique_ptr<LICE_SystemFont> CreateSystemFont(const LICE_FontRequest& request);
