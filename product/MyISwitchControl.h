#pragma once

#include "editor/ISwitchControl.h"

class TovraneProduct;

// The A/B switch: the press toggles and runs the product's command for its
// parameter, the release records the settings it left live.
class MyISwitchControl : public ISwitchControl {
 public:
  MyISwitchControl(TovraneProduct* product, int x, int y, int paramIndex, const BitmapStrip& strip);

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseUp(int x, int y, const MouseMods& mods) override;

 private:
  TovraneProduct* product;
};
