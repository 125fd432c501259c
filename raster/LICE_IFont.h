#pragma once

#include "LICE_IBitmap.h"
#include "LICE_SystemFont.h"
#include "LICE_Types.h"

// DrawText format flags.
inline constexpr int kTextAlignLeft = 0;
inline constexpr int kTextAlignCentre = 1;
inline constexpr int kTextAlignRight = 2;
inline constexpr int kTextAlignMask = 3;
inline constexpr int kTextAlignTop = 0;
inline constexpr int kTextAlignMiddle = 4;
inline constexpr int kTextAlignBottom = 8;
inline constexpr int kTextVerticalMask = 12;
inline constexpr int kTextSingleLine = 0x10;
inline constexpr int kTextNoClip = 0x20;
// Only computes the extent: rect's right and bottom are set, nothing is drawn.
inline constexpr int kTextMeasureOnly = 0x40;
// The alpha byte of the text colour weights the text as well.
inline constexpr int kTextUseForegroundAlpha = 0x80;

// SetFromSystemFont flags.
inline constexpr int kFontOwnsSystemFont = 1;
inline constexpr int kFontRenderNatively = 2;
inline constexpr int kFontPreRender = 4;

inline constexpr int kBackgroundTransparent = 0;
inline constexpr int kBackgroundOpaque = 1;

class LICE_IFont {
 public:
  virtual ~LICE_IFont() = default;

  virtual void SetFromSystemFont(LICE_SystemFont* font, int flags) = 0;
  virtual void SetTextColour(LICE_pixel colour) = 0;
  virtual void SetBackgroundColour(LICE_pixel colour) = 0;
  virtual void SetBackgroundMode(int mode) = 0;
  virtual void SetAlpha(float alpha) = 0;
  virtual LICE_pixel TextColour() const = 0;
  virtual int LineHeight() const = 0;
  // Draws UTF-8 text (length < 0: up to its terminating zero) into rect of
  // dest and returns the height of the text block.
  virtual int DrawText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
                       int format) = 0;
};
