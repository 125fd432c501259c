#include "editor/product/MyIContactControl.h"

#include "editor/product/WaitForAudioBlock.h"
#include "engine/Tovrane.h"

MyIContactControl::MyIContactControl(Tovrane* engine, int x, int y, int paramIndex,
                                     const BitmapStrip& strip)
    : IContactControl(engine, x, y, paramIndex, strip), engine(engine) {}

void MyIContactControl::MouseDown(int x, int y, const MouseMods& mods) {
  IContactControl::MouseDown(x, y, mods);
  engine->EditorCommand(ParamIdx());
}

void MyIContactControl::MouseUp(int x, int y, const MouseMods& mods) {
  IContactControl::MouseUp(x, y, mods);
  WaitForAudioBlock(engine);
}
