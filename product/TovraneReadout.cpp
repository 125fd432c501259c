// The readout: the last touched parameter's name and value, shown after
// every block while an editor is open.
#include <cstdio>

#include "product/SnapshotFields.h"
#include "product/TovraneProduct.h"

void TovraneProduct::BlockStarting() {
  if (!firstBlockDone) {
    firstBlockDone = true;
    history.Restart(liveSnapshot);
  }
}

void TovraneProduct::BlockDone() {
  if (plug.Editor()) UpdateReadout();
}

void TovraneProduct::UpdateReadout() {
  const PlugParam* param = plug.GetParam(lastTouchedParam);
  if (!param) return;
  static const char* const kProfileNames[] = {"A", "B", "C", "Off"};
  static const char* const kNoiseNames[] = {"Noise 1", "Noise 2", "Vinyl 1", "Vinyl 2", "Brown"};
  char value[64] = "";
  const EngineSnapshot& s = liveSnapshot;
  switch (lastTouchedParam) {
    case kInputGain:
      std::snprintf(value, sizeof value, "%f dB", (s.inputGain - 0.5) * 24.0);
      break;
    case kOutputGain:
      std::snprintf(value, sizeof value, "%f dB", (s.outputGain - 0.5) * 24.0);
      break;
    case kProfile:
      if (s.profile >= 0 && s.profile <= 3)
        std::snprintf(value, sizeof value, "%s", kProfileNames[s.profile]);
      break;
    case kNoiseType:
      if (s.noiseType >= 0 && s.noiseType <= 4)
        std::snprintf(value, sizeof value, "%s", kNoiseNames[s.noiseType]);
      break;
    case kPower:
      std::snprintf(value, sizeof value, "%s", powerOff == 0 ? "On" : "Off");
      break;
    default: {
      const double* field = PercentField(liveSnapshot, lastTouchedParam);
      if (!field) return;  // parameters without a readout leave the text as it was
      std::snprintf(value, sizeof value, "%f %%", *field * 100.0);
    }
  }
  char text[kParamTextSize + sizeof value + 4];
  std::snprintf(text, sizeof text, "%s \n%s", param->Name(), value);
  plug.Editor()->SetControlText(readoutControlIndex, text);
}
