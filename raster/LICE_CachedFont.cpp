#include "LICE_CachedFont.h"

#include <algorithm>
#include <cstring>

#include "LICE_Combine.h"
#include "Utf8Decode.h"

LICE_CachedFont::~LICE_CachedFont() {
  if (flags & kFontOwnsSystemFont) delete systemFont;
}

void LICE_CachedFont::SetFromSystemFont(LICE_SystemFont* font, int newFlags) {
  if ((flags & kFontOwnsSystemFont) && systemFont != font) delete systemFont;
  flags = newFlags;
  systemFont = font;
  lineHeight = font ? font->Height() : 0;
  glyphs.Clear();
  if (font && (flags & kFontPreRender)) {
    for (char32_t code = 0; code < 128; ++code) FindOrRenderGlyph(code);
  }
}

const LICE_Glyph* LICE_CachedFont::FindOrRenderGlyph(char32_t code) {
  if (const LICE_Glyph* cached = glyphs.Find(code)) return cached;
  auto glyph = std::make_unique<LICE_Glyph>();
  if (!systemFont->RenderGlyph(code, glyph.get())) {
    // An empty glyph is cached as well, so a character the font cannot draw
    // is not retried on every frame.
    *glyph = LICE_Glyph();
  }
  glyph->code = code;
  return glyphs.Add(std::move(glyph));
}

std::vector<LICE_CachedFont::Line> LICE_CachedFont::LayOutLines(const std::vector<char32_t>& codes,
                                                                int format) {
  std::vector<Line> lines(1);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const char32_t code = codes[i];
    if (code == U'\n' && !(format & kTextSingleLine)) {
      lines.back().end = i;
      lines.push_back(Line{i + 1, i + 1, 0});
      continue;
    }
    if (code != U'\r' && code != U'\n') lines.back().width += FindOrRenderGlyph(code)->advance;
  }
  lines.back().end = codes.size();
  return lines;
}

int LICE_CachedFont::ComputeTextWeight(int format) const {
  float weight = alpha;
  if (format & kTextUseForegroundAlpha)
    weight *= static_cast<float>(LICE_GetA(textColour)) / 255.0f;
  if (!(weight > 0.0f)) return 0;
  return static_cast<int>(std::min(weight, 1.0f) * 256.0f);
}

void LICE_CachedFont::FillLineBackground(LICE_IBitmap* dest, const LICE_Rect& box,
                                         const LICE_Rect& clip) const {
  const int left = std::max(box.left, clip.left);
  const int right = std::min(box.right, clip.right);
  const int top = std::max(box.top, clip.top);
  const int bottom = std::min(box.bottom, clip.bottom);
  for (int y = top; y < bottom; ++y) {
    LICE_pixel* row = dest->Bits() + static_cast<long>(y) * dest->RowSpan();
    for (int x = left; x < right; ++x) row[x] = backgroundColour;
  }
}

void LICE_CachedFont::DrawGlyph(LICE_IBitmap* dest, const LICE_Glyph& glyph, int x, int y,
                                const LICE_Rect& clip, int ia) const {
  const LICE_pixel colour = textColour & 0x00ffffffu;
  const int left = x + glyph.left;
  const int top = y + glyph.top;
  const int fromX = std::max(0, clip.left - left);
  const int toX = std::min(glyph.width, clip.right - left);
  const int fromY = std::max(0, clip.top - top);
  const int toY = std::min(glyph.height, clip.bottom - top);
  for (int gy = fromY; gy < toY; ++gy) {
    LICE_pixel* row = dest->Bits() + static_cast<long>(top + gy) * dest->RowSpan();
    const std::uint8_t* coverage =
        glyph.coverage.data() + static_cast<std::size_t>(gy) * glyph.width;
    for (int gx = fromX; gx < toX; ++gx) {
      if (coverage[gx] == 0) continue;
      const LICE_pixel src = (static_cast<LICE_pixel>(coverage[gx]) << 24) | colour;
      row[left + gx] = LICE_CombineCopySourceAlpha(row[left + gx], src, ia);
    }
  }
}

int LICE_CachedFont::DrawText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
                              int format) {
  if (!text || !rect || !systemFont) return 0;
  const std::size_t byteCount = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
  std::vector<char32_t> codes;
  DecodeUtf8OrLatin1(text, byteCount, &codes);

  const bool measureOnly = (format & kTextMeasureOnly) != 0;
  if ((flags & kFontRenderNatively) && !measureOnly && !(format & kTextUseForegroundAlpha) &&
      dest) {
    int height = 0;
    if (systemFont->DrawNatively(dest, codes.data(), static_cast<int>(codes.size()), rect, format,
                                 textColour, &height)) {
      return height;
    }
  }

  const std::vector<Line> lines = LayOutLines(codes, format);
  const int blockHeight = lineHeight * static_cast<int>(lines.size());
  if (measureOnly) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, line.width);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + blockHeight;
    return blockHeight;
  }
  if (!dest || !dest->Bits()) return blockHeight;

  LICE_Rect clip{0, 0, dest->Width(), dest->Height()};
  if (!(format & kTextNoClip)) {
    clip.left = std::max(clip.left, rect->left);
    clip.top = std::max(clip.top, rect->top);
    clip.right = std::min(clip.right, rect->right);
    clip.bottom = std::min(clip.bottom, rect->bottom);
  }
  if (clip.right <= clip.left || clip.bottom <= clip.top) return blockHeight;

  int y = rect->top;
  if ((format & kTextVerticalMask) == kTextAlignMiddle) {
    y = (rect->top + rect->bottom - blockHeight) / 2;
  } else if ((format & kTextVerticalMask) == kTextAlignBottom) {
    y = rect->bottom - blockHeight;
  }
  const int ia = ComputeTextWeight(format);
  for (const Line& line : lines) {
    int x = rect->left;
    if ((format & kTextAlignMask) == kTextAlignCentre) {
      x = (rect->left + rect->right - line.width) / 2;
    } else if ((format & kTextAlignMask) == kTextAlignRight) {
      x = rect->right - line.width;
    }
    if (backgroundMode == kBackgroundOpaque) {
      FillLineBackground(dest, LICE_Rect{x, y, x + line.width, y + lineHeight}, clip);
    }
    for (std::size_t i = line.first; i < line.end; ++i) {
      if (codes[i] == U'\r' || codes[i] == U'\n') continue;
      const LICE_Glyph* glyph = FindOrRenderGlyph(codes[i]);
      if (ia > 0) DrawGlyph(dest, *glyph, x, y, clip, ia);
      x += glyph->advance;
    }
    y += lineHeight;
  }
  return blockHeight;
}
