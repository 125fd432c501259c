// Undo, redo and A/B comparison over whole settings snapshots.
#include <cmath>

#include "editor/IGraphics.h"
#include "product/ParameterTable.h"
#include "product/TovraneProduct.h"

using Guard = std::lock_guard<std::recursive_mutex>;

void TovraneProduct::CatchUpHistory() {
  if (historyStarted || !firstBlockTaken.load(std::memory_order_acquire)) return;
  historyStarted = true;
  history.Restart(firstBlockSettings);
}

const SnapshotHistory& TovraneProduct::History() {
  Guard guard(plug.Lock());
  CatchUpHistory();
  return history;
}

void TovraneProduct::RecordSnapshotIfChanged() {
  if (forwardTo) {
    forwardTo->RecordSnapshotIfChanged();
    return;
  }
  Guard guard(plug.Lock());
  CatchUpHistory();
  history.RecordIfChanged(liveSnapshot);
}

void TovraneProduct::EditorCommand(int index) {
  ParameterReport report;
  {
    Guard guard(plug.Lock());
    lastTouchedParam = index;
    if (forwardTo) {
      Publish();
      forwardTo->EditorCommand(index);
      return;
    }
    CatchUpHistory();
    switch (index) {
      case kUndo:
        liveSnapshot = history.Undo();
        PushSnapshotToEditor();
        SetParametersFromLiveSettings(&report);
        break;
      case kRedo:
        liveSnapshot = history.Redo();
        PushSnapshotToEditor();
        SetParametersFromLiveSettings(&report);
        break;
      case kAB:
        SwapAB();
        PushSnapshotToEditor();
        RecordSnapshotIfChanged();
        SetParametersFromLiveSettings(&report);
        break;
      case kCopy:
        // The newest recorded settings go into the slot that is not live.
        (abSelector != 0 ? slotA : slotB) = history.Newest();
        break;
      default:
        break;
    }
    Publish();
  }
  TellHost(report);
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

bool TovraneProduct::CommandChangesSettings(int index) {
  return index == kUndo || index == kRedo || index == kAB;
}

// Settings made elsewhere arrive late: the editor may have moved on since
// they were made. Only the controls whose values they change move, and the
// one the mouse holds keeps the value its gesture is giving it.
void TovraneProduct::ShowSettings(const EngineSnapshot& settings, int abSelection) {
  ParameterReport report;
  {
    Guard guard(plug.Lock());
    const EngineSnapshot shown = liveSnapshot;
    const IGraphics* graphics = Graphics();
    const int held = graphics ? graphics->HeldParameter() : -1;
    liveSnapshot = settings;
    for (const ParameterRow& row : kParameterTable) {
      if (row.index == held) SetSnapshotField(row, SnapshotField(row, shown), &liveSnapshot);
    }
    const bool abChanged = abSelector != abSelection;
    abSelector = abSelection;
    GreyToneKnobs(liveSnapshot.profile == 3);
    PushSnapshotToEditor(&shown);
    if (abChanged && plug.Editor()) {
      plug.Editor()->SetParameterFromHost(kAB, static_cast<double>(abSelector), false);
    }
    SetParametersFromLiveSettings(&report);
    Publish();
  }
  TellHost(report);
}

// What plays, what the host shows and what a saved session holds must
// agree: a parameter whose value the live settings changed is set.
void TovraneProduct::SetParametersFromLiveSettings(ParameterReport* report) {
  for (const ParameterRow& row : kParameterTable) {
    PlugParam* param = plug.GetParam(row.index);
    const double field = SnapshotField(row, liveSnapshot);
    if (!param || std::isnan(field) || FieldOfParameter(row, *param) == field) continue;
    param->Set(ParameterValueOfField(row, field));
    report->changed[row.index] = true;
    report->normalized[row.index] = param->ToNormalized();
  }
}

// The host hears of each change as of a gesture on its control, once the
// plug-in's lock is released: its callbacks may wait for a thread of its
// own that is waiting for the lock.
void TovraneProduct::TellHost(const ParameterReport& report) {
  for (int i = 0; i < kNumTovraneParams; ++i) {
    if (!report.changed[i]) continue;
    plug.BeginParameterEdit(i);
    plug.NotifyParamValue(i, report.normalized[i]);
    plug.EndParameterEdit(i);
  }
}

void TovraneProduct::PushSnapshotToEditor(const EngineSnapshot* shown) {
  Guard guard(plug.Lock());
  IEditorLink* editor = plug.Editor();
  if (!editor) return;
  for (const ParameterRow& row : kParameterTable) {
    const double field = SnapshotField(row, liveSnapshot);
    if (shown && SnapshotField(row, *shown) == field) continue;
    if (row.fraction) {
      editor->SetParameterFromHost(row.index, field * 100, false);
    } else if (row.whole) {
      editor->SetParameterFromHost(row.index, field, false);
    }
  }
  if (!shown) editor->SetParameterFromHost(kAB, static_cast<double>(abSelector), false);
}
