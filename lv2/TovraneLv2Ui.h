#pragma once
#include "lv2/IPlugLV2Ui.h"
#include "lv2/TovranePorts.h"
#include "product/TovraneProduct.h"

// The product's editor as an LV2 user interface: the product on a plug-in
// base of the interface's own, fed by the host's port values.
class TovraneLv2Ui : public IPlugLV2Ui {
 public:
  static constexpr const char* kUri = "urn:ostrelle:kestravon#ui";

  TovraneLv2Ui(LV2UI_Write_Function write, LV2UI_Controller controller,
               const LV2_Feature* const* features)
      : IPlugLV2Ui(TovraneProduct::Identity(), kControlPortParams, write, controller, features) {
    product.Build();
  }

  void OnParamChanged(int index) override { product.OnParamChanged(index); }
  void OnStateRestored() override { product.OnStateRestored(); }

  // The readout follows the last touched parameter, as the processing
  // side's blocks show it in the VST 2 editor.
  int IdleAndShowReadout() {
    product.BlockDone(product.TakeBlockSettings());
    return Idle();
  }

 private:
  TovraneProduct product{*this};
};
