#include "product/MyIContactControl.h"

#include "product/TovraneProduct.h"
#include "product/WaitForAudioBlock.h"

MyIContactControl::MyIContactControl(TovraneProduct* product, int x, int y, int paramIndex,
                                     const BitmapStrip& strip)
    : IContactControl(&product->Plug(), x, y, paramIndex, strip), product(product) {}

void MyIContactControl::MouseDown(int x, int y, const MouseMods& mods) {
  IContactControl::MouseDown(x, y, mods);
  product->EditorCommand(ParamIdx());
}

void MyIContactControl::MouseUp(int x, int y, const MouseMods& mods) {
  IContactControl::MouseUp(x, y, mods);
  WaitForAudioBlock(&product->Plug());
}
