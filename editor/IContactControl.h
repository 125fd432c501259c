#pragma once

#include "editor/ISwitchControl.h"

// A momentary button: on while pressed, back to 0 on release.
class IContactControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;

  void MouseUp(int x, int y, const MouseMods& mods) override;
};
