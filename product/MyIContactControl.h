#pragma once

#include "editor/IContactControl.h"

class TovraneProduct;

// The undo, redo and copy buttons: the press pushes 1 and runs the product's
// command for the button's parameter, the release pushes 0.
class MyIContactControl : public IContactControl {
 public:
  MyIContactControl(TovraneProduct* product, int x, int y, int paramIndex,
                    const BitmapStrip& strip);

  void MouseDown(int x, int y, const MouseMods& mods) override;
  void MouseUp(int x, int y, const MouseMods& mods) override;

 private:
  TovraneProduct* product;
};
