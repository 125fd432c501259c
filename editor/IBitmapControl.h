#pragma once

#include "editor/BitmapStrip.h"
#include "editor/IControl.h"

// Shows the frame of its strip that matches its value.
class IBitmapControl : public IControl {
 public:
  // The rect is one frame of the strip placed at (x, y).
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip,
                 const BlendMode& blend = BlendMode());

  bool Draw(IGraphics* graphics) override;

  const BitmapStrip& Strip() const { return strip; }

 protected:
  BitmapStrip strip;
};
