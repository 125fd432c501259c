#pragma once
#include <cmath>
#include <memory>
#include <vector>

#include "dsp/RandomGenerator.h"
#include "vst2/Tovrane.h"

// Drives a Tovrane the way the host binding does: prepared block size,
// sample rate, then blocks of stereo double audio.
struct EngineRunner {
  explicit EngineRunner(double sampleRate = 44100.0, int blockSize = 512,
                        audioMasterCallback host = nullptr) {
    RandomGenerator::ResetForThisThread();
    plug = std::make_unique<Tovrane>(host);
    AEffect* effect = plug->Effect();
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    effect->dispatcher(effect, effSetBlockSize, 0, blockSize, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    block = blockSize;
  }

  void Set(int index, double value) {
    plug->GetParam(index)->Set(value);
    plug->OnParamChanged(index);
  }

  // Processes the whole signal in blocks; returns left and right outputs.
  std::vector<std::vector<double>> Run(const std::vector<double>& left,
                                       const std::vector<double>& right) {
    const int n = static_cast<int>(left.size());
    std::vector<std::vector<double>> out(2, std::vector<double>(n));
    for (int start = 0; start < n; start += block) {
      const int frames = std::min(block, n - start);
      double* in[2] = {const_cast<double*>(left.data()) + start,
                       const_cast<double*>(right.data()) + start};
      double* o[2] = {out[0].data() + start, out[1].data() + start};
      AEffect* effect = plug->Effect();
      effect->processDoubleReplacing(effect, in, o, frames);
    }
    return out;
  }

  std::unique_ptr<Tovrane> plug;
  int block;
};

// A fixed stereo test signal: two tones, a decaying chord and noise-like bursts.
inline std::vector<std::vector<double>> TestSignal(int frames, double sampleRate) {
  std::vector<std::vector<double>> s(2, std::vector<double>(frames));
  uint32_t state = 12345;
  for (int i = 0; i < frames; ++i) {
    const double t = i / sampleRate;
    state = state * 1664525u + 1013904223u;
    const double burst = ((i / 4410) % 4 == 0) ? ((state >> 9) / 8388608.0 - 1.0) * 0.2 : 0.0;
    const double decay = std::exp(-3.0 * std::fmod(t, 0.5));
    s[0][i] = 0.3 * std::sin(2 * M_PI * 220 * t) * decay + burst;
    s[1][i] = 0.25 * std::sin(2 * M_PI * 331 * t + 0.3) * decay +
              0.15 * std::sin(2 * M_PI * 2000 * t) - burst;
  }
  return s;
}
