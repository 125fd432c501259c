#include "editor/product/MyISwitchControl.h"

#include "editor/product/WaitForAudioBlock.h"
#include "engine/Tovrane.h"

MyISwitchControl::MyISwitchControl(Tovrane* engine, int x, int y, int paramIndex,
                                   const BitmapStrip& strip)
    : ISwitchControl(engine, x, y, paramIndex, strip), engine(engine) {}

void MyISwitchControl::MouseDown(int x, int y, const MouseMods& mods) {
  ISwitchControl::MouseDown(x, y, mods);
  engine->EditorCommand(ParamIdx());
}

void MyISwitchControl::MouseUp(int, int, const MouseMods&) {
  engine->RecordSnapshotIfChanged();
  WaitForAudioBlock(engine);
}
