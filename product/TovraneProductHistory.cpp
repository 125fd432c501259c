// Undo, redo and A/B comparison over whole settings snapshots.
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

bool TovraneProduct::CommandChangesSettings(int index) {
  return index == kUndo || index == kRedo || index == kAB;
}

// Settings made elsewhere arrive late: the editor may have moved on since
// they were made. Only the controls whose values they change move, and the
// one the mouse holds keeps the value its gesture is giving it.
void TovraneProduct::ShowSettings(const EngineSnapshot& settings, int abSelection) {
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
  Publish();
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
