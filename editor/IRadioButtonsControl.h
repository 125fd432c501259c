#pragma once

#include <vector>

#include "editor/BitmapStrip.h"
#include "editor/IControl.h"

// A column of buttons of which one is lit; button i stands for the value
// i / (count - 1).
class IRadioButtonsControl : public IControl {
 public:
  // The buttons are one frame high and spread evenly down outer, overlapping
  // when outer is too short to hold them side by side.
  IRadioButtonsControl(IPlugBase* plug, const Rect& outer, int paramIndex, int count,
                       const BitmapStrip& strip, const BlendMode& blend = BlendMode());

  void MouseDown(int x, int y, const MouseMods& mods) override;
  bool Draw(IGraphics* graphics) override;

  int NButtons() const { return static_cast<int>(buttons.size()); }
  const Rect& Button(int index) const { return buttons[static_cast<std::size_t>(index)]; }
  const BitmapStrip& Strip() const { return strip; }

 private:
  std::vector<Rect> buttons;
  BitmapStrip strip;
};
