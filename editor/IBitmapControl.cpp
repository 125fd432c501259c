#include "editor/IBitmapControl.h"

#include <algorithm>

#include "core/PlugParam.h"
#include "editor/IGraphics.h"

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIndex,
                               const BitmapStrip& strip, const BlendMode& blend)
    : IControl(plug, Rect(x, y, x + strip.FrameWidth(), y + strip.FrameHeight()), paramIndex,
               blend),
      strip(strip) {}

bool IBitmapControl::Draw(IGraphics* graphics) {
  const int n = strip.frames;
  int frame = 1;
  if (n >= 2) frame = std::clamp(TruncateToInt((n - 1) * Value() + 0.5) + 1, 1, n);
  return graphics->DrawBitmapFrame(strip, GetRect(), frame, &Blend());
}
