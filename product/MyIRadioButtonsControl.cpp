#include "product/MyIRadioButtonsControl.h"

#include "product/TovraneProduct.h"
#include "product/WaitForAudioBlock.h"

MyIRadioButtonsControl::MyIRadioButtonsControl(TovraneProduct* product, const Rect& outer,
                                               int paramIndex, int count, const BitmapStrip& strip)
    : IRadioButtonsControl(&product->Plug(), outer, paramIndex, count, strip), product(product) {}

void MyIRadioButtonsControl::MouseDown(int x, int y, const MouseMods& mods) {
  IRadioButtonsControl::MouseDown(x, y, mods);
  product->EditorCommand(ParamIdx());
}

void MyIRadioButtonsControl::MouseUp(int, int, const MouseMods&) {
  product->RecordSnapshotIfChanged();
  WaitForAudioBlock(&product->Plug());
}
