#pragma once
#include "dsp/Maths.h"
#include "lv2/IPlugLV2.h"
#include "lv2/TovranePorts.h"
#include "product/TovranePlug.h"

// The product as an LV2 plug-in, on the product's own maths like the VST 2
// plug-in, so the two sound the same.
class TovraneLv2 : public TovranePlug<IPlugLV2, ProductMaths> {
 public:
  static constexpr const char* kUri = "urn:ostrelle:kestravon";

  TovraneLv2(double sampleRate, const LV2_Feature* const* features)
      : TovranePlug(kControlPortParams, sampleRate, features) {}
};
