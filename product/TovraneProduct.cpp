#include "product/TovraneProduct.h"

#include <array>
#include <cstdio>

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

const char* TovraneProduct::VersionText() {
  static const std::array<char, 16> text = [] {
    std::array<char, 16> written{};
    const int32_t code = KESTRAVON_VERSION_CODE;
    std::snprintf(written.data(), written.size(), "%d.%d.%d", (code >> 16) & 0xFF,
                  (code >> 8) & 0xFF, code & 0xFF);
    return written;
  }();
  return text.data();
}

TovraneProduct::TovraneProduct(IPlugBase& plug) : plug(plug) {}

bool TovraneProduct::SoundsWithoutInput() const {
  return plug.GetParam(kPower)->Value() < 0.5 &&
         (plug.GetParam(kNoiseAmp)->Value() > 0.0 || plug.GetParam(kScratch)->Value() > 0.0);
}

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
