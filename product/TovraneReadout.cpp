// The audio thread's side of the product: the settings a block takes, and
// the readout, the last touched parameter's name and value, shown after
// every block while an editor is open. Nothing here waits or allocates.
#include <cstdio>

#include "product/ParameterTable.h"
#include "product/TovraneProduct.h"

const TovraneProduct::BlockSettings& TovraneProduct::TakeBlockSettings() {
  const BlockSettings& settings = published.Take();
  if (!firstBlockTaken.load(std::memory_order_relaxed)) {
    firstBlockSettings = settings.snapshot;
    firstBlockTaken.store(true, std::memory_order_release);
  }
  return settings;
}

void TovraneProduct::BlockDone(const BlockSettings& settings) {
  if (plug.Editor()) UpdateReadout(settings);
}

// The parameter's name is fixed when the parameters are made; the value
// comes from the settings the block was processed from.
void TovraneProduct::UpdateReadout(const BlockSettings& settings) {
  const PlugParam* param = plug.GetParam(settings.lastTouchedParam);
  const ParameterRow* row = ParameterAt(settings.lastTouchedParam);
  if (!param || !row) return;
  char value[64] = "";
  const EngineSnapshot& s = settings.snapshot;
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
      std::snprintf(value, sizeof value, "%s", row->valueNames[settings.powerOff == 0 ? 0 : 1]);
      break;
  }
  char text[kParamTextSize + sizeof value + 4];
  std::snprintf(text, sizeof text, "%s \n%s", param->Name(), value);
  plug.Editor()->SetControlText(readoutControlIndex, text);
}
