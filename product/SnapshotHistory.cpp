#include "product/SnapshotHistory.h"

void SnapshotHistory::Fill(const EngineSnapshot& snapshot) {
  for (EngineSnapshot& entry : entries) entry = snapshot;
  historyPos = undoCount = redoCount = 0;
}

void SnapshotHistory::Restart(const EngineSnapshot& current) {
  historyPos = undoCount = redoCount = 0;
  entries[0] = current;
}

bool SnapshotHistory::RecordIfChanged(const EngineSnapshot& live) {
  if (SnapshotsEqual(live, entries[historyPos])) return false;
  redoCount = 0;
  // Beyond 999 steps the oldest entries are overwritten: undo stops there.
  if (undoCount < kMaxUndoSteps) ++undoCount;
  historyPos = Next(historyPos);
  entries[historyPos] = live;
  return true;
}

const EngineSnapshot& SnapshotHistory::Undo() {
  if (undoCount > 0) {
    --undoCount;
    ++redoCount;
    historyPos = Previous(historyPos);
  }
  return entries[historyPos];
}

const EngineSnapshot& SnapshotHistory::Redo() {
  if (redoCount > 0) {
    --redoCount;
    ++undoCount;
    historyPos = Next(historyPos);
  }
  return entries[historyPos];
}
