#include "LICE_GdiFont.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <vector>

#include "LICE_IFont.h"
#include "LICE_SysBitmap.h"
#include "Win32Api.h"

// Glyphs are rendered by drawing each character with GDI, white on black, into
// a scratch DIB section and reading the coverage back. Unlike
// GetGlyphOutline's GGO_GRAY8_BITMAP (65 levels, outline fonts only, blind to
// the font's quality), this goes through the very rasteriser the native path
// uses, honours non-antialiased, antialiased and ClearType quality, works for
// every font GDI can draw and gives 256 levels.

namespace {

constexpr int kMinGlyphScratch = 256;
constexpr int kMinTextScratch = 4;
constexpr std::size_t kStackTextLength = 1024;

// The process's scratch surfaces, shared by all GDI fonts and freed with the
// last of them.
struct Scratch {
  std::mutex mutex;
  int fonts = 0;
  std::unique_ptr<LICE_SysBitmap> glyphs;
  std::unique_ptr<LICE_SysBitmap> text;
};

// At namespace scope, not inside a function: the font cache's fonts are
// destroyed at unload and still use it then, so it must be made before the
// cache and go after it. A function's static, made with the first font,
// would go first and have its surfaces freed twice.
Scratch scratchSurfaces;

Scratch& ScratchSurfaces() { return scratchSurfaces; }

// A scratch bitmap of at least width x height; it only ever grows.
LICE_SysBitmap* Ensure(std::unique_ptr<LICE_SysBitmap>& bitmap, int width, int height,
                       int minimum) {
  width = std::max(width, minimum);
  height = std::max(height, minimum);
  if (!bitmap) bitmap = std::make_unique<LICE_SysBitmap>();
  if (width > bitmap->Width() || height > bitmap->Height()) {
    bitmap->Resize(std::max(width, bitmap->Width()), std::max(height, bitmap->Height()));
  }
  if (!bitmap->Bits() || !bitmap->DeviceContext()) return nullptr;
  return bitmap.get();
}

// Code points to UTF-16, on the stack for ordinary lengths.
class WideText {
 public:
  WideText(const char32_t* text, int count) {
    const std::size_t most = static_cast<std::size_t>(std::max(count, 0)) * 2;
    WCHAR* out = stack.data();
    if (most > stack.size()) {
      heap.resize(most);
      out = heap.data();
    }
    data = out;
    for (int i = 0; i < count; ++i) length += Encode(text[i], out + length);
  }
  const WCHAR* Data() const { return data; }
  int Length() const { return length; }

  // Writes code as one or two UTF-16 units; what UTF-16 cannot hold becomes
  // the replacement character.
  static int Encode(char32_t code, WCHAR* out) {
    if (code >= 0x10000 && code <= 0x10FFFF) {
      const char32_t v = code - 0x10000;
      out[0] = static_cast<WCHAR>(0xD800 + (v >> 10));
      out[1] = static_cast<WCHAR>(0xDC00 + (v & 0x3FF));
      return 2;
    }
    const bool valid = code < 0xD800 || (code > 0xDFFF && code < 0x10000);
    out[0] = static_cast<WCHAR>(valid ? code : 0xFFFD);
    return 1;
  }

 private:
  std::array<WCHAR, kStackTextLength> stack;
  std::vector<WCHAR> heap;
  const WCHAR* data = nullptr;
  int length = 0;
};

UINT DrawTextFormat(int format) {
  UINT result = DT_NOPREFIX;
  if ((format & kTextAlignMask) == kTextAlignCentre) result |= DT_CENTER;
  if ((format & kTextAlignMask) == kTextAlignRight) result |= DT_RIGHT;
  if ((format & kTextVerticalMask) == kTextAlignMiddle) result |= DT_VCENTER;
  if ((format & kTextVerticalMask) == kTextAlignBottom) result |= DT_BOTTOM;
  if (format & kTextSingleLine) result |= DT_SINGLELINE;
  if (format & kTextNoClip) result |= DT_NOCLIP;
  return result;
}

LICE_Rect Intersect(const LICE_Rect& a, const LICE_Rect& b) {
  LICE_Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return LICE_Rect{};
  return r;
}

bool IsEmpty(const LICE_Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// Where text of width x height lands in rect, widened by a margin for
// overhangs, clipped to rect unless it may spill and to the bitmap.
LICE_Rect TextBox(const LICE_Rect& rect, int width, int height, int lineHeight, int format,
                  LICE_IBitmap* bitmap) {
  int x = rect.left;
  if ((format & kTextAlignMask) == kTextAlignCentre) x = (rect.left + rect.right - width) / 2;
  if ((format & kTextAlignMask) == kTextAlignRight) x = rect.right - width;
  int y = rect.top;
  if ((format & kTextVerticalMask) == kTextAlignMiddle) y = (rect.top + rect.bottom - height) / 2;
  if ((format & kTextVerticalMask) == kTextAlignBottom) y = rect.bottom - height;
  const int margin = lineHeight < 16 ? 2 : lineHeight / 16 + 2;
  LICE_Rect box{x - margin, y - margin, x + width + margin, y + height + margin};
  if (!(format & kTextNoClip)) box = Intersect(box, rect);
  return Intersect(box, LICE_Rect{0, 0, bitmap->Width(), bitmap->Height()});
}

// GDI writes 0 into the alpha byte of every pixel it draws on; the editor's
// pixels keep the alpha they had, so pictures of the editor stay opaque.
class AlphaKeeper {
 public:
  AlphaKeeper(LICE_IBitmap* bitmap, const LICE_Rect& box) : bitmap(bitmap), box(box) {
    if (IsEmpty(box)) return;
    alpha.reserve(static_cast<std::size_t>(box.Width()) * box.Height());
    for (int y = box.top; y < box.bottom; ++y) {
      const LICE_pixel* row = bitmap->Bits() + static_cast<long>(y) * bitmap->RowSpan();
      for (int x = box.left; x < box.right; ++x) alpha.push_back(row[x] & 0xFF000000u);
    }
  }
  void Restore() const {
    if (IsEmpty(box)) return;
    const LICE_pixel* saved = alpha.data();
    for (int y = box.top; y < box.bottom; ++y) {
      LICE_pixel* row = bitmap->Bits() + static_cast<long>(y) * bitmap->RowSpan();
      for (int x = box.left; x < box.right; ++x) row[x] = (row[x] & 0x00FFFFFFu) | *saved++;
    }
  }

 private:
  LICE_IBitmap* bitmap;
  LICE_Rect box;
  std::vector<LICE_pixel> alpha;
};

void PrepareContext(HDC dc, LICE_pixel colour) {
  SetTextColor(dc, MakeColorRef(LICE_GetR(colour), LICE_GetG(colour), LICE_GetB(colour)));
  SetBkMode(dc, TRANSPARENT);
}

SIZE MeasureText(HDC dc, const WideText& text, UINT format) {
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc, text.Data(), text.Length(), &extent, format | DT_CALCRECT);
  return SIZE{extent.right - extent.left, extent.bottom - extent.top};
}

RECT ToRECT(const LICE_Rect& r, int dx = 0, int dy = 0) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

bool RunningUnderWine() {
  static const bool underWine = [] {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }();
  return underWine;
}

LICE_GdiFont::LICE_GdiFont(void* font, int height, bool nativeText)
    : font(font), height(height), nativeText(nativeText) {
  Scratch& scratch = ScratchSurfaces();
  std::lock_guard<std::mutex> lock(scratch.mutex);
  ++scratch.fonts;
}

LICE_GdiFont::~LICE_GdiFont() {
  DeleteObject(static_cast<HGDIOBJ>(font));
  Scratch& scratch = ScratchSurfaces();
  std::lock_guard<std::mutex> lock(scratch.mutex);
  if (--scratch.fonts == 0) {
    scratch.glyphs.reset();
    scratch.text.reset();
  }
}

std::unique_ptr<LICE_GdiFont> LICE_GdiFont::Create(const LICE_FontRequest& request,
                                                   bool nativeText) {
  if (request.height <= 0) return nullptr;
  char face[sizeof request.face + 1] = {};
  std::memcpy(face, request.face, sizeof request.face);
  static constexpr DWORD kQualities[] = {DEFAULT_QUALITY, NONANTIALIASED_QUALITY,
                                         ANTIALIASED_QUALITY, CLEARTYPE_QUALITY};
  const DWORD quality =
      request.quality >= 0 && request.quality <= 3 ? kQualities[request.quality] : DEFAULT_QUALITY;
  const int angle = request.orientation * 10;
  HFONT handle = CreateFontA(request.height, 0, angle, angle,
                             request.style == 1 ? FW_BOLD : FW_NORMAL, request.style == 2 ? 1 : 0,
                             0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             quality, DEFAULT_PITCH, face);
  if (!handle) return nullptr;

  // The line height is the font's cell height as GDI reports it.
  TEXTMETRICW metrics{};
  bool measured = false;
  if (HDC dc = CreateCompatibleDC(nullptr)) {
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(handle));
    measured = GetTextMetricsW(dc, &metrics) != 0;
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  if (!measured || metrics.tmHeight <= 0) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(handle));
    return nullptr;
  }
  return std::unique_ptr<LICE_GdiFont>(new LICE_GdiFont(handle, metrics.tmHeight, nativeText));
}

bool LICE_GdiFont::RenderGlyph(char32_t code, LICE_Glyph* glyph) {
  WCHAR units[2];
  const int unitCount = WideText::Encode(code, units);
  // Room around the pen for overhangs (italics, accents above the cell).
  const int margin = height / 2 + 4;

  Scratch& scratch = ScratchSurfaces();
  std::lock_guard<std::mutex> lock(scratch.mutex);
  LICE_SysBitmap* surface = Ensure(scratch.glyphs, 1, 1, kMinGlyphScratch);
  if (!surface) return false;
  HDC dc = static_cast<HDC>(surface->DeviceContext());
  HGDIOBJ previous = SelectObject(dc, static_cast<HGDIOBJ>(font));
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, units, unitCount, &extent);
  const int width = static_cast<int>(extent.cx) + 2 * margin;
  const int rows = height + 2 * margin;
  surface = Ensure(scratch.glyphs, width, rows, kMinGlyphScratch);
  if (!surface) {
    SelectObject(dc, previous);
    return false;
  }

  GdiFlush();
  const int span = surface->RowSpan();
  for (int y = 0; y < rows; ++y) {
    std::fill_n(surface->Bits() + static_cast<long>(y) * span, width, LICE_pixel{0});
  }
  PrepareContext(dc, LICE_RGBA(255, 255, 255, 255));
  TextOutW(dc, margin, margin, units, unitCount);
  GdiFlush();
  SelectObject(dc, previous);

  // White on black: the brightness is the coverage. ClearType's coloured
  // fringes average out.
  auto coverageAt = [&](int x, int y) {
    const LICE_pixel p = surface->Bits()[static_cast<long>(y) * span + x];
    return static_cast<std::uint8_t>((LICE_GetR(p) + LICE_GetG(p) + LICE_GetB(p) + 1) / 3);
  };
  int left = width;
  int right = 0;
  int top = rows;
  int bottom = 0;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < width; ++x) {
      if (coverageAt(x, y) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  }
  glyph->code = code;
  glyph->advance = static_cast<int>(extent.cx);
  glyph->coverage.clear();
  if (right <= left) {
    glyph->left = glyph->top = glyph->width = glyph->height = 0;
    return true;
  }
  glyph->left = left - margin;
  glyph->top = top - margin;
  glyph->width = right - left;
  glyph->height = bottom - top;
  glyph->coverage.reserve(static_cast<std::size_t>(glyph->width) * glyph->height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) glyph->coverage.push_back(coverageAt(x, y));
  }
  return true;
}

bool LICE_GdiFont::DrawNatively(LICE_IBitmap* dest, const char32_t* text, int count,
                                LICE_Rect* rect, int format, LICE_pixel colour,
                                int* drawnHeight) {
  if (!DrawsNatively() || !dest || !rect || !dest->Bits()) return false;
  const WideText wide(text, count);
  const UINT dtFormat = DrawTextFormat(format);
  HGDIOBJ fontObject = static_cast<HGDIOBJ>(font);

  if (HDC dc = static_cast<HDC>(dest->DeviceContext())) {
    // The destination has a device context (the back buffer): GDI draws
    // straight into it.
    HGDIOBJ previous = SelectObject(dc, fontObject);
    PrepareContext(dc, colour);
    const SIZE size = MeasureText(dc, wide, dtFormat);
    GdiFlush();
    const AlphaKeeper alpha(dest, TextBox(*rect, size.cx, size.cy, height, format, dest));
    RECT area = ToRECT(*rect);
    const int drawn = DrawTextW(dc, wide.Data(), wide.Length(), &area, dtFormat);
    GdiFlush();
    alpha.Restore();
    SelectObject(dc, previous);
    if (drawnHeight) *drawnHeight = drawn;
    return true;
  }

  // A memory bitmap: the affected area goes through the text scratch and back.
  Scratch& scratch = ScratchSurfaces();
  std::lock_guard<std::mutex> lock(scratch.mutex);
  LICE_SysBitmap* surface = Ensure(scratch.text, 1, 1, kMinTextScratch);
  if (!surface) return false;
  HDC dc = static_cast<HDC>(surface->DeviceContext());
  HGDIOBJ previous = SelectObject(dc, fontObject);
  const SIZE size = MeasureText(dc, wide, dtFormat);
  const LICE_Rect box = TextBox(*rect, size.cx, size.cy, height, format, dest);
  int drawn = size.cy;
  if (!IsEmpty(box) && (surface = Ensure(scratch.text, box.Width(), box.Height(),
                                         kMinTextScratch)) != nullptr) {
    const int rows = box.Height();
    const std::size_t rowBytes = static_cast<std::size_t>(box.Width()) * sizeof(LICE_pixel);
    GdiFlush();
    for (int y = 0; y < rows; ++y) {
      std::memcpy(surface->Bits() + static_cast<long>(y) * surface->RowSpan(),
                  dest->Bits() + static_cast<long>(box.top + y) * dest->RowSpan() + box.left,
                  rowBytes);
    }
    PrepareContext(dc, colour);
    RECT area = ToRECT(*rect, -box.left, -box.top);
    drawn = DrawTextW(dc, wide.Data(), wide.Length(), &area, dtFormat);
    GdiFlush();
    for (int y = 0; y < rows; ++y) {
      const LICE_pixel* from = surface->Bits() + static_cast<long>(y) * surface->RowSpan();
      LICE_pixel* to = dest->Bits() + static_cast<long>(box.top + y) * dest->RowSpan() + box.left;
      for (int x = 0; x < box.Width(); ++x) {
        to[x] = (from[x] & 0x00FFFFFFu) | (to[x] & 0xFF000000u);
      }
    }
  }
  SelectObject(dc, previous);
  if (drawnHeight) *drawnHeight = drawn;
  return true;
}

std::unique_ptr<LICE_SystemFont> CreateSystemFont(const LICE_FontRequest& request) {
  return LICE_GdiFont::Create(request, !RunningUnderWine());
}
