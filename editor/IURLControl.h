#pragma once

#include "editor/IControl.h"

inline constexpr int kUrlSize = 256;
inline constexpr int kUrlTitleSize = 1024;

// An invisible area that opens a web page when clicked; the link itself is
// part of the artwork beneath it.
class IURLControl : public IControl {
 public:
  IURLControl(IPlugBase* plug, const Rect& rect, const char* address, const char* fallback = "",
              const char* title = "");

  void MouseDown(int x, int y, const MouseMods& mods) override;
  bool Draw(IGraphics*) override { return true; }

  const char* Address() const { return address; }
  const char* Fallback() const { return fallback; }

 private:
  char address[kUrlSize] = {};
  char fallback[kUrlSize] = {};
  char title[kUrlTitleSize] = {};
};
