#pragma once
// Formats whose hosts place parameter changes inside a block (VST 3, CLAP)
// have each change taken at the start of the run of frames it falls in: the
// block is split there, and each piece is a block to the processing. Runs
// are as long as the ones the processing works in, so a change is heard
// within one of them of where the host drew it, and a block is split at
// most once per run.
#include <algorithm>

inline constexpr int kParameterRun = 32;

// The first frame of the run holding `offset` in a block of `frames`
// frames; offsets outside the block count as its first or last frame.
constexpr int RunStartOf(int offset, int frames) {
  const int within = std::clamp(offset, 0, std::max(frames - 1, 0));
  return within - within % kParameterRun;
}
