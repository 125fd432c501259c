#include "editor/IKnobControl.h"

namespace {

// Shift or ctrl make every gesture ten times finer.
constexpr double kFineFactor = 10.0;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;

bool Fine(const MouseMods& mods) { return mods.shift || mods.ctrl; }

}  // namespace

IKnobControl::IKnobControl(IPlugBase* plug, const Rect& rect, int paramIndex, int direction,
                           double gearing, const BlendMode& blend)
    : IControl(plug, rect, paramIndex, blend), direction(direction), gearing(gearing) {}

void IKnobControl::MouseDrag(int, int, int dX, int dY, const MouseMods& mods) {
  double g = gearing;
  if (Fine(mods)) g *= kFineFactor;
  const Rect& r = GetRect();
  // Dragging up raises the value: the vertical span is counted top minus bottom.
  const int span = direction == kKnobVertical ? r.top - r.bottom : r.right - r.left;
  if (span == 0) return;  // a knob without extent has nothing to scale a drag by
  const int delta = direction == kKnobVertical ? dY : dX;
  SetValue(Value() + static_cast<double>(delta) / span / g);
  MarkChanged(true);
}

void IKnobControl::MouseWheel(int, int, const MouseMods& mods, int d) {
  SetValue(Value() + d * (Fine(mods) ? kFineWheelStep : kWheelStep));
  MarkChanged(true);
}
