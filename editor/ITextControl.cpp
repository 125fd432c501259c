#include "editor/ITextControl.h"

#include "editor/IGraphics.h"

ITextControl::ITextControl(IPlugBase* plug, const Rect& rect, const TextStyle& style,
                           const char* text)
    : IControl(plug, rect), text(text ? text : "") {
  SetTextStyle(style);
}

bool ITextControl::Draw(IGraphics* graphics) {
  if (text.empty()) return true;
  Rect area = GetRect();
  graphics->DrawText(GetTextStyle(), text.c_str(), area);
  return true;
}

void ITextControl::SetText(const char* newText) {
  if (!newText) newText = "";
  if (text == newText) return;
  MarkChanged(false);
  text = newText;
}
