#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "LICE_SystemFont.h"

struct FT_FaceRec_;
class FreeTypeLibrary;

// The font file fontconfig picks for a face name, weight and slant.
struct FontFileMatch {
  std::string path;
  int index = 0;
};
bool MatchFontFile(const char* face, bool bold, bool italic, FontFileMatch* match);

// A fontconfig-resolved FreeType face. The height is the character cell
// (ascent + descent), which is how the system font reads a positive height.
class LICE_FreeTypeFont : public LICE_SystemFont {
 public:
  static std::unique_ptr<LICE_FreeTypeFont> Create(const LICE_FontRequest& request);
  ~LICE_FreeTypeFont() override;

  int Height() const override { return height; }
  int Ascent() const { return ascent; }
  bool RenderGlyph(char32_t code, LICE_Glyph* glyph) override;

 private:
  LICE_FreeTypeFont() = default;
  bool Open(const LICE_FontRequest& request);

  std::shared_ptr<FreeTypeLibrary> library;
  FT_FaceRec_* face = nullptr;
  // A FreeType face must not be used by two threads at once.
  std::mutex faceMutex;
  int height = 0;
  int ascent = 0;
  bool monochrome = false;
};
