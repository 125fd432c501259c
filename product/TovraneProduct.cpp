#include "product/TovraneProduct.h"

#include "product/ParameterTable.h"

PlugIdentity TovraneProduct::Identity() {
  PlugIdentity identity;
  identity.nParams = kNumTovraneParams;
  identity.channelIO = "1-1 2-2";
  identity.nPresets = kNumTovranePresets;
  identity.effectName = "Kestravon";
  identity.productName = "";
  identity.vendorName = "Ostrelle";
  identity.version = KESTRAVON_VERSION_CODE;
  identity.uniqueId = FourCharCode('T', 'o', 'v', 'r');
  identity.makerId = FourCharCode('O', 's', 't', 'l');
  return identity;
}

TovraneProduct::TovraneProduct(IPlugBase& plug) : plug(plug) {}

void TovraneProduct::Build() {
  liveSnapshot = kInitialSnapshot;
  history.Fill(kInitialSnapshot);
  InitParameters();
  BuildEditor();
  MakePresets();
  // The change handler fills the live settings with the defaults.
  for (int i = 0; i < kNumTovraneParams; ++i) OnParamChanged(i);
  history.Restart(liveSnapshot);
  Publish();
}

void TovraneProduct::Publish() { published.Publish({liveSnapshot, powerOff, lastTouchedParam}); }

// Every parameter as its row in the table defines it. Command buttons keep
// the plug-in base's blank record.
void TovraneProduct::InitParameters() {
  for (const ParameterRow& row : kParameterTable) {
    PlugParam* param = plug.GetParam(row.index);
    switch (row.form) {
      case ParamForm::Percent:
        param->InitNumeric(row.name, row.defaultValue, 0.0, row.maxValue, row.step, row.label, "",
                           1.0);
        break;
      case ParamForm::Whole:
        param->InitInteger(row.name, row.defaultValue, 0.0, row.maxValue, row.label);
        break;
      case ParamForm::Command:
        continue;
    }
    param->SetShapeExponent(1.0);
  }
}
