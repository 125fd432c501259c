// How parameter changes and restored states reach the product's live settings.
#include "product/ParameterTable.h"
#include "product/TovraneProduct.h"

using Guard = std::lock_guard<std::recursive_mutex>;

void TovraneProduct::OnParamChanged(int index) {
  Guard guard(plug.Lock());
  const PlugParam* param = plug.GetParam(index);
  const ParameterRow* row = ParameterAt(index);
  if (!param || !row) return;
  lastTouchedParam = index;
  SetSnapshotField(*row, FieldOfParameter(*row, *param), &liveSnapshot);
  if (index == kProfile) GreyToneKnobs(liveSnapshot.profile == 3);
  if (index == kPower) powerOff = param->IntValue();
  Publish();
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
