#pragma once

#include "editor/IRadioButtonsControl.h"

class TovraneProduct;

// A product button group: any press marks its parameter as last touched,
// the release records the choice as one undo step.
class MyIRadioButtonsControl : public IRadioButtonsControl {
 public:
  MyIRadioButtonsControl(TovraneProduct* product, const Rect& outer, int paramIndex, int count,
                         const BitmapStrip& strip);

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseUp(int x, int y, const MouseMods& mods) override;

 private:
  TovraneProduct* product;
};
