#include "product/TovraneProduct.h"

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
}

void TovraneProduct::InitDouble(int index, const char* name, double defaultValue, double maxValue) {
  PlugParam* param = plug.GetParam(index);
  param->InitNumeric(name, defaultValue, 0.0, maxValue, 0.01, "%", "", 1.0);
  param->SetShapeExponent(1.0);
}

void TovraneProduct::InitInteger(int index, const char* name, double defaultValue,
                                 double maxValue) {
  PlugParam* param = plug.GetParam(index);
  param->InitInteger(name, defaultValue, 0.0, maxValue, "");
  param->SetShapeExponent(1.0);
}

void TovraneProduct::InitParameters() {
  InitDouble(kInputGain, "Input Gain", 50.0);
  InitInteger(kProfile, "Profile", 0.0, 3.0);
  InitDouble(kNoiseAmp, "Noise amp", 0.0);
  InitDouble(kNoiseDynamic, "Noise dynamic", 0.0);
  InitDouble(kSpeed, "Speed", 100.0);
  InitDouble(kWow, "Wow", 0.0);
  InitDouble(kScratch, "Scratch", 0.0);
  InitDouble(kHarmonics, "Harmonics", 0.0);
  InitDouble(kTubeDrive, "Tube drive", 0.0);
  InitDouble(kLfBoost, "LF boost", 0.0);
  InitDouble(kHfBoost, "HF boost", 0.0);
  InitDouble(kAge, "Age", 0.0);
  InitDouble(kWide, "Wide", 20.0);
  InitInteger(kNoiseType, "Noise type", 0.0, 4.0);
  InitDouble(kOutputGain, "Output Gain", 50.0);
  InitInteger(kSpare14, "", 1.0, 1.0);
  InitInteger(kSpare15, "", 0.0, 1.0);
  InitDouble(kQuadMix, "Quad mix", 0.0);
  InitDouble(kQuadDelay, "Quad delay", 50.0);
}
