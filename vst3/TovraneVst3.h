#pragma once
#include "dsp/Maths.h"
#include "product/HostParameters.h"
#include "product/TovranePlug.h"
#include "vst3/IPlugVST3.h"

// The product as a VST 3 plug-in, on the product's own maths like the VST 2
// and LV2 plug-ins, so the three sound the same. "Power" is the host's
// bypass: its value 1 already means off.
class TovraneVst3 : public TovranePlug<IPlugVST3, ProductMaths> {
 public:
  TovraneVst3() : TovranePlug(std::span<const int>(kHostParameters), static_cast<int>(kPower)) {}

 protected:
  bool SoundsWithoutInput() override { return Product().SoundsWithoutInput(); }
};
