// Undo, redo and A/B comparison over whole settings snapshots.
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
  Publish();
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

void TovraneProduct::ShowSettings(const EngineSnapshot& settings, int abSelection) {
  Guard guard(plug.Lock());
  liveSnapshot = settings;
  abSelector = abSelection;
  GreyToneKnobs(liveSnapshot.profile == 3);
  PushSnapshotToEditor();
  Publish();
}

void TovraneProduct::PushSnapshotToEditor() {
  Guard guard(plug.Lock());
  IEditorLink* editor = plug.Editor();
  if (!editor) return;
  for (const ParameterRow& row : kParameterTable) {
    const double field = SnapshotField(row, liveSnapshot);
    if (row.fraction) {
      editor->SetParameterFromHost(row.index, field * 100, false);
    } else if (row.whole) {
      editor->SetParameterFromHost(row.index, field, false);
    }
  }
  editor->SetParameterFromHost(kAB, static_cast<double>(abSelector), false);
}
