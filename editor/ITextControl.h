#pragma once

#include <string>

#include "editor/IControl.h"

// One piece of text drawn in its rect with the control's text style.
class ITextControl : public IControl {
 public:
  ITextControl(IPlugBase* plug, const Rect& rect, const TextStyle& style, const char* text = "");

  bool Draw(IGraphics* graphics) override;
  // Redraws only when the text differs from the one shown.
  void SetText(const char* newText);
  const std::string& Text() const { return text; }

 private:
  std::string text;
};
