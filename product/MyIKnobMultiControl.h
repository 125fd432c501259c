#pragma once

#include "editor/IKnobMultiControl.h"

class TovraneProduct;

// A product knob: the press marks its parameter as last touched, the release
// records the whole gesture as one undo step.
class MyIKnobMultiControl : public IKnobMultiControl {
 public:
  MyIKnobMultiControl(TovraneProduct* product, int x, int y, int paramIndex,
                      const BitmapStrip& strip, double gearing);

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseUp(int x, int y, const MouseMods& mods) override;

 private:
  TovraneProduct* product;
};
