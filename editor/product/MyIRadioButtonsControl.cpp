#include "editor/product/MyIRadioButtonsControl.h"

#include "editor/product/WaitForAudioBlock.h"
#include "engine/Tovrane.h"

MyIRadioButtonsControl::MyIRadioButtonsControl(Tovrane* engine, const Rect& outer, int paramIndex,
                                               int count, const BitmapStrip& strip)
    : IRadioButtonsControl(engine, outer, paramIndex, count, strip), engine(engine) {}

void MyIRadioButtonsControl::MouseDown(int x, int y, const MouseMods& mods) {
  IRadioButtonsControl::MouseDown(x, y, mods);
  engine->EditorCommand(ParamIdx());
}

void MyIRadioButtonsControl::MouseUp(int, int, const MouseMods&) {
  engine->RecordSnapshotIfChanged();
  WaitForAudioBlock(engine);
}
