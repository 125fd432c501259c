// Feeds arbitrary bytes to program and bank loading, as a host restoring a
// damaged session would, and checks that the plug-in stays consistent.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/Tovrane.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckConsistent(Tovrane& plug) {
  for (int i = 0; i < plug.NParams(); ++i) {
    const PlugParam* param = plug.GetParam(i);
    Require(std::isfinite(param->Value()));
    Require(param->Value() >= param->Min() && param->Value() <= param->Max());
  }
  for (int i = 0; i < plug.NPresets(); ++i) {
    Require(std::strlen(plug.PresetNameAt(i)) < kPresetNameSize);
  }
  Require(plug.CurrentPreset() >= 0 && plug.CurrentPreset() < plug.NPresets());
  StateChunk program;
  Require(plug.SaveChunk(&program, false));
  Require(program.Size() == 8 + 8 * plug.NParams());
  StateChunk bank;
  Require(plug.SaveChunk(&bank, true));
  // What was saved must load again without a failure.
  Require(plug.RestoreChunk(&bank, true));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the kind of request and whether a valid header is put in front.
  const uint8_t mode = data[0];
  StateChunk chunk;
  if (mode & 2) IPlugBase::WriteChunkHeader(&chunk);
  chunk.PutBytes(data + 1, static_cast<int>(size - 1));

  // One plug-in serves every input; each input starts from the same state.
  static Tovrane plug;
  static StateChunk pristine;
  if (pristine.Size() == 0) plug.SaveChunk(&pristine, true);
  plug.RestoreChunk(&pristine, true);
  plug.LoadPreset(0);

  plug.RestoreChunk(&chunk, (mode & 1) != 0);
  CheckConsistent(plug);
  return 0;
}
