#pragma once
#include "core/StateChunk.h"

inline constexpr int kPresetNameSize = 256;

// One program: a name and a stored copy of the plug-in's state.
struct PlugPreset {
  bool used = false;
  char name[kPresetNameSize] = "empty";
  StateChunk state;
};
