#include "editor/IContactControl.h"

void IContactControl::MouseUp(int, int, const MouseMods&) {
  SetValue(0.0);
  MarkChanged(true);
}
