#include "product/MyIKnobMultiControl.h"

#include "product/TovraneProduct.h"

MyIKnobMultiControl::MyIKnobMultiControl(TovraneProduct* product, int x, int y, int paramIndex,
                                         const BitmapStrip& strip, double gearing)
    : IKnobMultiControl(&product->Plug(), x, y, paramIndex, strip, kKnobVertical, gearing),
      product(product) {}

void MyIKnobMultiControl::MouseDown(int, int, const MouseMods& mods) {
  if (mods.right) PromptForValue();
  product->EditorCommand(ParamIdx());
}

void MyIKnobMultiControl::MouseUp(int, int, const MouseMods&) {
  product->RecordSnapshotIfChanged();
}
