#include "editor/IKnobMultiControl.h"

#include <algorithm>

#include "core/PlugParam.h"
#include "editor/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIndex,
                                     const BitmapStrip& strip, int direction, double gearing,
                                     const BlendMode& blend)
    : IKnobControl(plug, Rect(x, y, x + strip.FrameWidth(), y + strip.FrameHeight()), paramIndex,
                   direction, gearing, blend),
      strip(strip) {}

bool IKnobMultiControl::Draw(IGraphics* graphics) {
  const int n = strip.frames;
  const int frame = std::clamp(TruncateToInt((n - 1) * Value() + 0.5) + 1, 1, n);
  return graphics->DrawBitmapFrame(strip, GetRect(), frame, &Blend());
}
