#include "editor/product/MyIKnobMultiControl.h"

#include "engine/Tovrane.h"

MyIKnobMultiControl::MyIKnobMultiControl(Tovrane* engine, int x, int y, int paramIndex,
                                         const BitmapStrip& strip, double gearing)
    : IKnobMultiControl(engine, x, y, paramIndex, strip, kKnobVertical, gearing), engine(engine) {}

void MyIKnobMultiControl::MouseDown(int, int, const MouseMods& mods) {
  if (mods.right) PromptForValue();
  engine->EditorCommand(ParamIdx());
}

void MyIKnobMultiControl::MouseUp(int, int, const MouseMods&) { engine->RecordSnapshotIfChanged(); }
