// The whole processing chain, as a host drives it: stereo, 48 kHz, blocks of
// 512 frames. Reports nanoseconds per frame and how many times faster than
// real time one core runs it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/Tovrane.h"

namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kBlock = 512;

enum Setting { kDefaultSettings = -1, kPowerOff = -2 };

void BM_ProcessBlock(benchmark::State& state) {
  auto plug = std::make_unique<Tovrane>();
  AEffect* effect = plug->Effect();
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
  effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  const int setting = static_cast<int>(state.range(0));
  if (setting >= 0) plug->LoadPreset(setting);
  if (setting == kPowerOff) effect->setParameter(effect, kPower, 1.0f);

  std::vector<double> left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock);
  for (int i = 0; i < kBlock; ++i) {
    left[i] = 0.3 * std::sin(0.031 * i);
    right[i] = 0.2 * std::sin(0.017 * i + 1.0);
  }
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    plug->ProcessDoubleReplacing(in, out, kBlock);
    benchmark::DoNotOptimize(outLeft.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
  state.counters["ns_per_frame"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kBlock),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
  state.counters["realtime_factor"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kBlock) / kSampleRate, benchmark::Counter::kIsRate);
  state.SetLabel(setting == kDefaultSettings ? "default"
                 : setting == kPowerOff      ? "power off (bypass)"
                                             : plug->PresetNameAt(setting));
}

}  // namespace

BENCHMARK(BM_ProcessBlock)->Arg(kDefaultSettings)->Arg(kPowerOff)->DenseRange(0, 15);
