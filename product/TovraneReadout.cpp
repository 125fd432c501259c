// The readout: the last touched parameter's name and value, shown after
// every block while an editor is open.
#include <cstdio>

#include "product/ParameterTable.h"
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
  const ParameterRow* row = ParameterAt(lastTouchedParam);
  if (!param || !row) return;
  char value[64] = "";
  const EngineSnapshot& s = liveSnapshot;
  switch (row->readout) {
    case ReadoutForm::None:
      return;  // the text stays as it was
    case ReadoutForm::Percent:
      std::snprintf(value, sizeof value, "%f %%", s.*row->fraction * 100.0);
      break;
    case ReadoutForm::Decibels:
      std::snprintf(value, sizeof value, "%f dB", (s.*row->fraction - 0.5) * 24.0);
      break;
    case ReadoutForm::Names: {
      const int32_t v = s.*row->whole;
      if (v >= 0 && v < static_cast<int32_t>(row->valueNames.size()) && row->valueNames[v])
        std::snprintf(value, sizeof value, "%s", row->valueNames[v]);
      break;
    }
    case ReadoutForm::Power:
      std::snprintf(value, sizeof value, "%s", powerOff == 0 ? "On" : "Off");
      break;
  }
  char text[kParamTextSize + sizeof value + 4];
  std::snprintf(text, sizeof text, "%s \n%s", param->Name(), value);
  plug.Editor()->SetControlText(readoutControlIndex, text);
}
