#pragma once

#include "editor/Colour.h"

class LICE_CachedFont;

inline constexpr int kTextStyleNormal = 0;
inline constexpr int kTextStyleBold = 1;
inline constexpr int kTextStyleItalic = 2;

inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCentre = 1;
inline constexpr int kAlignRight = 2;

inline constexpr int kFontNameSize = 32;

// How a control's text is drawn and how its text entry looks.
struct TextStyle {
  char fontName[kFontNameSize] = "Verdana";
  int size = 12;
  Colour colour{255, 0, 0, 0};
  Colour entryBackground{255, 255, 255, 255};
  Colour entryText{255, 0, 0, 0};
  int style = kTextStyleNormal;
  int alignment = kAlignCentre;
  int orientation = 0;
  int quality = 0;
  // Set by the font cache on first use, with the pixel height it was found
  // for; the cache owns the font.
  LICE_CachedFont* cachedFont = nullptr;
  int cachedFontHeight = 0;

  TextStyle() = default;
  TextStyle(const char* font, int size, const Colour& colour, int style = kTextStyleNormal,
            int alignment = kAlignCentre, int orientation = 0, int quality = 0,
            const Colour& entryBackground = Colour(255, 255, 255, 255),
            const Colour& entryText = Colour(255, 0, 0, 0));
};
