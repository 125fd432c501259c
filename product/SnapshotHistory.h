#pragma once
#include "engine/EngineSnapshot.h"

// The ring of the last recorded settings behind undo and redo. Recording a
// step clears what redo could have restored; undo can walk back at most as
// far as the ring still holds older entries.
class SnapshotHistory {
 public:
  static constexpr int kSize = 1000;
  static constexpr int kMaxUndoSteps = kSize - 1;

  // Every entry becomes snapshot; position and counts go back to 0.
  void Fill(const EngineSnapshot& snapshot);
  // Starts afresh from current: entry 0 holds it, nothing to undo or redo.
  void Restart(const EngineSnapshot& current);
  // Records live as a new step when it differs from the newest entry.
  bool RecordIfChanged(const EngineSnapshot& live);
  // Step back or forward when possible; either way the entry now current.
  const EngineSnapshot& Undo();
  const EngineSnapshot& Redo();

  const EngineSnapshot& Newest() const { return entries[historyPos]; }
  const EngineSnapshot& Entry(int index) const { return entries[index]; }
  int Position() const { return historyPos; }
  int UndoCount() const { return undoCount; }
  int RedoCount() const { return redoCount; }

 private:
  static int Next(int pos) { return pos == kSize - 1 ? 0 : pos + 1; }
  static int Previous(int pos) { return pos == 0 ? kSize - 1 : pos - 1; }

  EngineSnapshot entries[kSize];
  int historyPos = 0;
  int undoCount = 0;
  int redoCount = 0;
};
