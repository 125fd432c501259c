#include "editor/IRadioButtonsControl.h"

#include <algorithm>
#include <cmath>

#include "core/PlugParam.h"
#include "editor/IGraphics.h"

IRadioButtonsControl::IRadioButtonsControl(IPlugBase* plug, const Rect& outer, int paramIndex,
                                           int count, const BitmapStrip& strip,
                                           const BlendMode& blend)
    : IControl(plug, outer, paramIndex, blend), strip(strip) {
  if (count < 1) count = 1;
  const int h = TruncateToInt(static_cast<double>(strip.height) / strip.frames);
  // One button has nothing to share the height with.
  const int step =
      count < 2 ? h
                : h + TruncateToInt(static_cast<double>(outer.bottom - count * h - outer.top) /
                                    (count - 1));
  for (int i = 0; i < count; ++i) {
    const int top = outer.top + i * step;
    buttons.push_back(Rect(outer.left, top, outer.left + strip.width, top + h));
  }
}

void IRadioButtonsControl::MouseDown(int x, int y, const MouseMods& mods) {
  if (mods.right) {
    PromptForValue();
    return;
  }
  const int count = NButtons();
  for (int i = 0; i < count; ++i) {
    const Rect& b = buttons[static_cast<std::size_t>(i)];
    if (b.Empty() || x < b.left || x >= b.right || y < b.top || y >= b.bottom) continue;
    SetValue(count < 2 ? 0.0 : static_cast<double>(i) / (count - 1));
    break;
  }
  // A click between buttons still sends the unchanged value.
  MarkChanged(true);
}

bool IRadioButtonsControl::Draw(IGraphics* graphics) {
  const int count = NButtons();
  const int active = std::clamp(TruncateToInt((count - 1) * Value() + 0.5), 0, count - 1);
  const int n = strip.frames;
  for (int i = 0; i < count; ++i) {
    int srcX = 0;
    int srcY = 0;
    if (i == active && n > 1) {
      if (strip.framesHorizontal) {
        srcX = TruncateToInt(static_cast<double>(strip.width) / n + 0.5);
      } else {
        srcY = TruncateToInt(static_cast<double>(strip.height) / n + 0.5);
      }
    }
    graphics->DrawBitmapRegion(strip, buttons[static_cast<std::size_t>(i)], srcX, srcY, &Blend());
  }
  return true;
}
