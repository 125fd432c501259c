#pragma once
// The state of the VST 2 plug-in as a host hands it to the VST 3 plug-in
// that replaces it in an old session: the VST 2 program or bank file the
// host kept, whole, or behind the host's own small header ('VstW').
#include <cstdint>
#include <span>

#include "core/FxFiles.h"

namespace kestravon_vst3 {

struct Vst2SessionState {
  bool isBank = false;
  FxProgram program;
  FxBank bank;
};

// Whether the bytes begin as such a state does, rather than as the plug-in's
// own chunk.
bool LooksLikeVst2Session(std::span<const uint8_t> bytes);

// Reads the whole state; false when any part of it is missing or damaged.
bool ReadVst2Session(std::span<const uint8_t> bytes, Vst2SessionState* state);

}  // namespace kestravon_vst3
