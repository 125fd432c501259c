// How parameter changes and restored states reach the product's live settings.
#include "product/SnapshotFields.h"
#include "product/TovraneProduct.h"

using Guard = std::lock_guard<std::recursive_mutex>;

void TovraneProduct::OnParamChanged(int index) {
  Guard guard(plug.Lock());
  const PlugParam* param = plug.GetParam(index);
  if (!param) return;
  lastTouchedParam = index;
  const double v = param->Value();
  if (double* field = PercentField(liveSnapshot, index)) {
    *field = v / 100.0;
    return;
  }
  switch (index) {
    case kProfile:
      liveSnapshot.profile = param->IntValue();
      GreyToneKnobs(liveSnapshot.profile == 3);
      break;
    case kNoiseType:
      liveSnapshot.noiseType = param->IntValue();
      break;
    case kPower:
      powerOff = param->IntValue();
      break;
    default:
      break;
  }
}

void TovraneProduct::GreyToneKnobs(bool greyed) {
  IEditorLink* editor = plug.Editor();
  if (!editor) return;
  editor->SetGreyed(ageControlIndex, greyed);
  editor->SetGreyed(lfBoostControlIndex, greyed);
  editor->SetGreyed(hfBoostControlIndex, greyed);
}

void TovraneProduct::SetCommandParam(int index, double value) {
  plug.GetParam(index)->SetClamped(value);
}

void TovraneProduct::OnStateRestored() {
  Guard guard(plug.Lock());
  // The A/B switch always shows the slot that is live; a stored value never survives.
  SetCommandParam(kAB, static_cast<double>(abSelector));
  SetCommandParam(kUndo, 0.0);
  SetCommandParam(kRedo, 0.0);
  SetCommandParam(kCopy, 0.0);
  RecordSnapshotIfChanged();
  if (IEditorLink* editor = plug.Editor()) editor->MarkAllControlsChanged();
}

void TovraneProduct::SetEditorControlIndexes(int readout, int lfBoost, int hfBoost, int age) {
  readoutControlIndex = readout;
  lfBoostControlIndex = lfBoost;
  hfBoostControlIndex = hfBoost;
  ageControlIndex = age;
}
