#pragma once

#include "editor/IBitmapControl.h"

// Each click steps to the next frame, wrapping to the first after the last.
class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseDoubleClick(int x, int y, const MouseMods& mods) override;
};
