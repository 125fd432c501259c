#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/IPlugBase.h"
#include "editor/BitmapStrip.h"
#include "editor/IGraphicsHeadless.h"
#include "raster/LICE_MemBitmap.h"
#include "raster/LICE_SysBitmap.h"

// A plug-in with four parameters that logs what the editor asks of it:
// "begin i", "set i=v" and "end i".
class EditorTestPlug : public IPlugBase {
 public:
  static PlugIdentity MakeIdentity() {
    PlugIdentity identity;
    identity.nParams = 4;
    identity.channelIO = "2-2";
    identity.nPresets = 1;
    return identity;
  }

  EditorTestPlug() : IPlugBase(MakeIdentity()) {
    GetParam(0)->InitNumeric("Level", 50.0, 0.0, 100.0, 0.01, "%");
    GetParam(1)->InitNumeric("Curve", 25.0, 0.0, 100.0, 0.01, "%");
    GetParam(1)->SetShapeExponent(2.0);
    GetParam(2)->InitInteger("Mode", 0.0, 0.0, 4.0, "");
    GetParam(3)->InitInteger("Switch", 0.0, 0.0, 1.0, "");
  }

  void SetParameterFromEditor(int index, double normalized) override {
    log.push_back("set " + std::to_string(index) + "=" + Number(normalized));
    IPlugBase::SetParameterFromEditor(index, normalized);
  }
  void BeginParameterEdit(int index) override { log.push_back("begin " + std::to_string(index)); }
  void EndParameterEdit(int index) override { log.push_back("end " + std::to_string(index)); }

  static std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
  }

  std::vector<std::string> log;
};

// The headless core that records the dialogs it is asked for.
class RecordingGraphics : public IGraphicsHeadless {
 public:
  explicit RecordingGraphics(IPlugBase* plug, int width = 200, int height = 100)
      : IGraphicsHeadless(plug, width, height, 25) {}

  bool OpenWebPage(const char* address, const char*, const char*, const char*) override {
    pages.push_back(address);
    return pageOpens;
  }
  int ShowPopupMenu(const PopupMenu& menu, const Rect&) override {
    menus.push_back(menu);
    return menuChoice;
  }
  void OpenTextEntry(IControl*, const TextStyle&, const Rect& rect, const char* text,
                     PlugParam*) override {
    entries.push_back(text);
    entryRects.push_back(rect);
  }

  std::vector<std::string> pages;
  bool pageOpens = false;
  std::vector<PopupMenu> menus;
  int menuChoice = -1;
  std::vector<std::string> entries;
  std::vector<Rect> entryRects;
};

// A vertical strip of frames of frameWidth x frameHeight, frame i (from 0)
// filled with the opaque colour FrameColour(i).
inline LICE_pixel FrameColour(int frame) {
  return LICE_RGBA(frame & 255, (frame * 7) & 255, 200, 255);
}

inline std::unique_ptr<LICE_MemBitmap> MakeFrames(int frames, int frameWidth, int frameHeight) {
  auto bitmap = std::make_unique<LICE_MemBitmap>(frameWidth, frameHeight * frames);
  for (int y = 0; y < frameHeight * frames; ++y) {
    for (int x = 0; x < frameWidth; ++x) {
      bitmap->Bits()[y * bitmap->RowSpan() + x] = FrameColour(y / frameHeight);
    }
  }
  return bitmap;
}

inline BitmapStrip StripOf(LICE_IBitmap* bitmap, int frames) {
  BitmapStrip strip;
  strip.bitmap = bitmap;
  strip.width = bitmap->Width();
  strip.height = bitmap->Height();
  strip.frames = frames;
  return strip;
}

inline LICE_pixel PixelAt(IGraphics& graphics, int x, int y) {
  LICE_SysBitmap* buffer = graphics.BackBuffer();
  return buffer->Bits()[y * buffer->RowSpan() + x];
}

inline MouseMods Left() { return MouseMods{true, false, false, false, false}; }
inline MouseMods Right() { return MouseMods{false, true, false, false, false}; }
inline MouseMods LeftShift() { return MouseMods{true, false, true, false, false}; }
