#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "dsp/RandomGenerator.h"
#include "dsp/TapeChannel.h"

namespace {

// A heavy setting: profile 1 (saturator and tone filters), vinyl noise read
// with interpolation at a non-reference rate, every knob up.
void BM_TapeChannelProcessSampleHeavy(benchmark::State& state) {
  RandomGenerator::ResetForThisThread();
  auto left = std::make_unique<TapeChannel>();
  auto right = std::make_unique<TapeChannel>();
  left->Init(0);
  right->Init(376);
  TapeChannelSettings s;
  s.profile = 1;
  s.noiseType = 2;
  s.noiseAmp = s.noiseDynamic = s.harmonics = s.tubeDrive = 1.0;
  s.wow = s.scratch = s.lfBoost = s.hfBoost = s.age = s.wide = 1.0;
  s.speed = 0.5;
  left->Configure(s, 48000.0);
  right->Configure(s, 48000.0);
  double phase = 0.0;
  for (auto _ : state) {
    phase += 0.0627;
    const double x = 0.5 * std::sin(phase);
    benchmark::DoNotOptimize(left->ProcessSample(x, -1.0));
    benchmark::DoNotOptimize(right->ProcessSample(x, left->ReadPosition()));
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_TapeChannelProcessSampleHeavy);

}  // namespace
