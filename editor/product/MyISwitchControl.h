#pragma once

#include "editor/ISwitchControl.h"

class Tovrane;

// The A/B switch: the press toggles and runs the engine's command for its
// parameter, the release records the settings it left live.
class MyISwitchControl : public ISwitchControl {
 public:
  MyISwitchControl(Tovrane* engine, int x, int y, int paramIndex, const BitmapStrip& strip);

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseUp(int x, int y, const MouseMods& mods) override;

 private:
  Tovrane* engine;
};
