#pragma once

#include "editor/BitmapStrip.h"
#include "editor/IKnobControl.h"

// A knob drawn as the frame of its strip that matches its value.
class IKnobMultiControl : public IKnobControl {
 public:
  // The rect is one frame of the strip placed at (x, y).
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip,
                    int direction = kKnobVertical, double gearing = kDefaultGearing,
                    const BlendMode& blend = BlendMode());

  bool Draw(IGraphics* graphics) override;

  const BitmapStrip& Strip() const { return strip; }

 private:
  BitmapStrip strip;
};
