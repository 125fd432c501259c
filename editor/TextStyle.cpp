#include "editor/TextStyle.h"

#include "core/PlugParam.h"

TextStyle::TextStyle(const char* font, int size, const Colour& colour, int style, int alignment,
                     int orientation, int quality, const Colour& entryBackground,
                     const Colour& entryText)
    : size(size),
      colour(colour),
      entryBackground(entryBackground),
      entryText(entryText),
      style(style),
      alignment(alignment),
      orientation(orientation),
      quality(quality) {
  CopyText(fontName, kFontNameSize, font ? font : "");
}
