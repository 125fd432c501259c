#include "product/MyISwitchControl.h"

#include "product/TovraneProduct.h"
#include "product/WaitForAudioBlock.h"

MyISwitchControl::MyISwitchControl(TovraneProduct* product, int x, int y, int paramIndex,
                                   const BitmapStrip& strip)
    : ISwitchControl(&product->Plug(), x, y, paramIndex, strip), product(product) {}

void MyISwitchControl::MouseDown(int x, int y, const MouseMods& mods) {
  ISwitchControl::MouseDown(x, y, mods);
  product->EditorCommand(ParamIdx());
}

void MyISwitchControl::MouseUp(int, int, const MouseMods&) {
  product->RecordSnapshotIfChanged();
  WaitForAudioBlock(&product->Plug());
}
