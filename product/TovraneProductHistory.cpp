// Undo, redo and A/B comparison over whole settings snapshots.
#include "product/TovraneProduct.h"

using Guard = std::lock_guard<std::recursive_mutex>;

void TovraneProduct::RecordSnapshotIfChanged() {
  Guard guard(plug.Lock());
  history.RecordIfChanged(liveSnapshot);
}

void TovraneProduct::EditorCommand(int index) {
  Guard guard(plug.Lock());
  lastTouchedParam = index;
  switch (index) {
    case kUndo:
      liveSnapshot = history.Undo();
      PushSnapshotToEditor();
      break;
    case kRedo:
      liveSnapshot = history.Redo();
      PushSnapshotToEditor();
      break;
    case kAB:
      SwapAB();
      PushSnapshotToEditor();
      RecordSnapshotIfChanged();
      break;
    case kCopy:
      // The newest recorded settings go into the slot that is not live.
      (abSelector != 0 ? slotA : slotB) = history.Newest();
      break;
    default:
      break;
  }
}

void TovraneProduct::SwapAB() {
  abSelector = (abSelector + 1) % 2;
  if (abSelector == 1) {
    slotA = liveSnapshot;
    liveSnapshot = slotB;
  } else {
    slotB = liveSnapshot;
    liveSnapshot = slotA;
  }
}

void TovraneProduct::PushSnapshotToEditor() {
  Guard guard(plug.Lock());
  IEditorLink* editor = plug.Editor();
  if (!editor) return;
  EngineSnapshot& s = liveSnapshot;
  const struct {
    int index;
    double value;
  } values[] = {
      {kInputGain, s.inputGain * 100},
      {kProfile, static_cast<double>(s.profile)},
      {kNoiseAmp, s.noiseAmp * 100},
      {kNoiseDynamic, s.noiseDynamic * 100},
      {kWow, s.wow * 100},
      {kScratch, s.scratch * 100},
      {kHarmonics, s.harmonics * 100},
      {kTubeDrive, s.tubeDrive * 100},
      {kLfBoost, s.lfBoost * 100},
      {kHfBoost, s.hfBoost * 100},
      {kAge, s.age * 100},
      {kWide, s.wide * 100},
      {kNoiseType, static_cast<double>(s.noiseType)},
      {kOutputGain, s.outputGain * 100},
      {kQuadMix, s.quadMix * 100},
      {kQuadDelay, s.quadDelay * 100},
      {kSpeed, s.speed * 100},
      {kAB, static_cast<double>(abSelector)},
  };
  for (const auto& [index, value] : values) editor->SetParameterFromHost(index, value, false);
}
