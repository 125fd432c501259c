#include "core/HeldHostChanges.h"

HeldHostChanges::HeldHostChanges(int parameterCount)
    : values(static_cast<size_t>(parameterCount > 0 ? parameterCount : 0), 0.0),
      held(values.size(), false) {}

void HeldHostChanges::HoldValue(int index, double normalized) {
  if (index < 0 || static_cast<size_t>(index) >= values.size()) return;
  values[static_cast<size_t>(index)] = normalized;
  held[static_cast<size_t>(index)] = true;
  any = true;
}

void HeldHostChanges::HoldProgram(int newProgram) {
  program = newProgram;
  any = true;
}
