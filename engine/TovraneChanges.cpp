// How parameter changes and restored states reach the engine's settings.
#include "engine/Tovrane.h"

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {

// The snapshot field each percentage parameter drives, as a fraction.
double* PercentField(EngineSnapshot& s, int index) {
  switch (index) {
    case kInputGain:
      return &s.inputGain;
    case kNoiseAmp:
      return &s.noiseAmp;
    case kNoiseDynamic:
      return &s.noiseDynamic;
    case kWow:
      return &s.wow;
    case kScratch:
      return &s.scratch;
    case kHarmonics:
      return &s.harmonics;
    case kTubeDrive:
      return &s.tubeDrive;
    case kLfBoost:
      return &s.lfBoost;
    case kHfBoost:
      return &s.hfBoost;
    case kAge:
      return &s.age;
    case kWide:
      return &s.wide;
    case kOutputGain:
      return &s.outputGain;
    case kQuadMix:
      return &s.quadMix;
    case kQuadDelay:
      return &s.quadDelay;
    case kSpeed:
      return &s.speed;
    default:
      return nullptr;
  }
}

}  // namespace

void Tovrane::OnParamChanged(int index) {
  Guard guard(Lock());
  const PlugParam* param = GetParam(index);
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

void Tovrane::GreyToneKnobs(bool greyed) {
  IEditorLink* editor = Editor();
  if (!editor) return;
  editor->SetGreyed(ageControlIndex, greyed);
  editor->SetGreyed(lfBoostControlIndex, greyed);
  editor->SetGreyed(hfBoostControlIndex, greyed);
}

void Tovrane::SetCommandParam(int index, double value) { GetParam(index)->SetClamped(value); }

void Tovrane::OnStateRestored() {
  Guard guard(Lock());
  // The A/B switch always shows the slot that is live; a stored value never survives.
  SetCommandParam(kAB, static_cast<double>(abSelector));
  SetCommandParam(kUndo, 0.0);
  SetCommandParam(kRedo, 0.0);
  SetCommandParam(kCopy, 0.0);
  RecordSnapshotIfChanged();
  ApplySnapshotToEngine();
  if (IEditorLink* editor = Editor()) editor->MarkAllControlsChanged();
}

void Tovrane::ApplySnapshotToEngine() { engineSettings = liveSnapshot; }

void Tovrane::SetEditorControlIndexes(int readout, int lfBoost, int hfBoost, int age) {
  readoutControlIndex = readout;
  lfBoostControlIndex = lfBoost;
  hfBoostControlIndex = hfBoost;
  ageControlIndex = age;
}
