#pragma once

#include <vector>

#include "vst2/VstAbi.h"

// One short block of silence at 44.1 kHz through the effect record: enough
// for the engine to post its readout and settle what the first block sets.
inline void RunSilentBlock(AEffect* effect) {
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 64, nullptr, 0.0f);
  std::vector<float> left(64, 0.0f), right(64, 0.0f);
  float* in[2] = {left.data(), right.data()};
  float* out[2] = {left.data(), right.data()};
  effect->processReplacing(effect, in, out, 64);
}
