#include "LICE_FreeTypeFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>

// The process's FreeType library; every face keeps it alive.
class FreeTypeLibrary {
 public:
  static std::shared_ptr<FreeTypeLibrary> Instance() {
    static std::mutex mutex;
    static std::weak_ptr<FreeTypeLibrary> shared;
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<FreeTypeLibrary> library = shared.lock();
    if (!library) {
      library.reset(new FreeTypeLibrary());
      if (!library->handle) return nullptr;
      shared = library;
    }
    return library;
  }
  ~FreeTypeLibrary() {
    if (handle) FT_Done_FreeType(handle);
  }

  // Face creation and destruction touch the library and must be serialised.
  std::mutex mutex;
  FT_Library handle = nullptr;

 private:
  FreeTypeLibrary() {
    if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
  }
};

bool MatchFontFile(const char* face, bool bold, bool italic, FontFileMatch* match) {
  static std::once_flag fontconfigReady;
  static bool fontconfigOk = false;
  std::call_once(fontconfigReady, [] { fontconfigOk = FcInit() == FcTrue; });
  if (!fontconfigOk) return false;

  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face ? face : ""));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!found) return false;
  FcChar8* file = nullptr;
  int index = 0;
  const bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
  if (ok) {
    FcPatternGetInteger(found, FC_INDEX, 0, &index);
    match->path = reinterpret_cast<const char*>(file);
    match->index = index;
  }
  FcPatternDestroy(found);
  return ok;
}

std::unique_ptr<LICE_FreeTypeFont> LICE_FreeTypeFont::Create(const LICE_FontRequest& request) {
  std::unique_ptr<LICE_FreeTypeFont> font(new LICE_FreeTypeFont());
  if (!font->Open(request)) return nullptr;
  return font;
}

LICE_FreeTypeFont::~LICE_FreeTypeFont() {
  if (face) {
    std::lock_guard<std::mutex> lock(library->mutex);
    FT_Done_Face(face);
  }
}

bool LICE_FreeTypeFont::Open(const LICE_FontRequest& request) {
  if (request.height <= 0) return false;
  FontFileMatch match;
  char faceName[sizeof request.face + 1] = {};
  std::memcpy(faceName, request.face, sizeof request.face);
  if (!MatchFontFile(faceName, request.style == 1, request.style == 2, &match)) return false;
  library = FreeTypeLibrary::Instance();
  if (!library) return false;
  {
    std::lock_guard<std::mutex> lock(library->mutex);
    if (FT_New_Face(library->handle, match.path.c_str(), match.index, &face) != 0) {
      face = nullptr;
      return false;
    }
  }
  if (!FT_IS_SCALABLE(face)) return false;

  // Scale so that ascent + descent fill the requested cell height.
  double ascentUnits = face->ascender;
  double descentUnits = -face->descender;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascentUnits = os2->usWinAscent;
      descentUnits = os2->usWinDescent;
    }
  }
  if (ascentUnits + descentUnits <= 0) return false;
  const double scale = request.height / (ascentUnits + descentUnits);
  const double emPixels = face->units_per_EM * scale;
  if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64.0)), 72, 72) !=
      0) {
    return false;
  }
  height = request.height;
  ascent = static_cast<int>(std::lround(ascentUnits * scale));
  monochrome = request.quality == 1;
  return true;
}

bool LICE_FreeTypeFont::RenderGlyph(char32_t code, LICE_Glyph* glyph) {
  std::lock_guard<std::mutex> lock(faceMutex);
  const FT_UInt index = FT_Get_Char_Index(face, code);
  const FT_Int32 loadFlags = monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (FT_Load_Glyph(face, index, loadFlags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
    return false;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
      bitmap.rows > 0) {
    return false;
  }
  glyph->code = code;
  glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph->left = slot->bitmap_left;
  glyph->top = ascent - slot->bitmap_top;
  glyph->width = static_cast<int>(bitmap.width);
  glyph->height = static_cast<int>(bitmap.rows);
  glyph->coverage.assign(static_cast<std::size_t>(glyph->width) * glyph->height, 0);
  for (int y = 0; y < glyph->height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    std::uint8_t* out = glyph->coverage.data() + static_cast<std::size_t>(y) * glyph->width;
    for (int x = 0; x < glyph->width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        out[x] = row[x];
      }
    }
  }
  return true;
}

std::unique_ptr<LICE_SystemFont> CreateSystemFont(const LICE_FontRequest& request) {
  return LICE_FreeTypeFont::Create(request);
}
