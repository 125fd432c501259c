#include "editor/ISwitchControl.h"

namespace {

// A little above 1, so that steps of 1/(N-1) summing to 1 do not wrap early.
constexpr double kWrapAbove = 1.001;

}  // namespace

void ISwitchControl::MouseDown(int, int, const MouseMods&) {
  const int n = Strip().frames;
  double v = Value() + (n < 2 ? 1.0 : 1.0 / (n - 1));
  if (v > kWrapAbove) v = 0.0;
  SetValue(v);
  MarkChanged(true);
}

void ISwitchControl::MouseDoubleClick(int x, int y, const MouseMods& mods) {
  MouseDown(x, y, mods);
}
