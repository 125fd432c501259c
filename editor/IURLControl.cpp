#include "editor/IURLControl.h"

#include "core/PlugParam.h"
#include "editor/IGraphics.h"

IURLControl::IURLControl(IPlugBase* plug, const Rect& rect, const char* address,
                         const char* fallback, const char* title)
    : IControl(plug, rect) {
  CopyText(this->address, kUrlSize, address ? address : "");
  CopyText(this->fallback, kUrlSize, fallback ? fallback : "");
  CopyText(this->title, kUrlTitleSize, title ? title : "");
}

void IURLControl::MouseDown(int, int, const MouseMods&) {
  IGraphics* graphics = Graphics();
  if (!graphics) return;
  bool opened = false;
  if (address[0]) opened = graphics->OpenWebPage(address, title, nullptr, nullptr);
  if (!opened && fallback[0]) graphics->OpenWebPage(fallback, title, nullptr, nullptr);
}
