#pragma once
#include "clap/IPlugCLAP.h"
#include "dsp/Maths.h"
#include "product/HostParameters.h"
#include "product/TovranePlug.h"

// The product as a CLAP plug-in, on the product's own maths like the other
// formats, so they all sound the same. "Power" is the host's bypass: its
// value 1 already means off.
class TovraneClap : public TovranePlug<IPlugCLAP, ProductMaths> {
 public:
  TovraneClap(const clap::clap_plugin_descriptor* descriptor, const clap::clap_host* host)
      : TovranePlug(std::span<const int>(kHostParameters), static_cast<int>(kPower), descriptor,
                    host) {}

 protected:
  bool SoundsWithoutInput() override { return Product().SoundsWithoutInput(); }
};
