#pragma once

#include "editor/IControl.h"

inline constexpr int kKnobVertical = 0;
inline constexpr int kKnobHorizontal = 1;
inline constexpr double kDefaultGearing = 4.0;

// Turned by dragging along its direction or by the mouse wheel.
class IKnobControl : public IControl {
 public:
  IKnobControl(IPlugBase* plug, const Rect& rect, int paramIndex, int direction = kKnobVertical,
               double gearing = kDefaultGearing, const BlendMode& blend = BlendMode());

  void MouseDrag(int x, int y, int dX, int dY, const MouseMods& mods) override;
  void MouseWheel(int x, int y, const MouseMods& mods, int d) override;

  int Direction() const { return direction; }
  double Gearing() const { return gearing; }

 private:
  int direction;
  double gearing;
};
