#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "dsp/BandSaturator.h"
#include "dsp/Maths.h"
#include "dsp/Biquad.h"
#include "dsp/ModDelay.h"

namespace {

// The engine redesigns its swept filters on every sample, so design and run
// are measured together.
void BM_BiquadDesignAndRun(benchmark::State& state) {
  Biquad filter;
  filter.type = BiquadType::Peak;
  filter.q = 2.0;
  double phase = 0.0, x = 0.0;
  for (auto _ : state) {
    phase += 0.001;
    filter.fc = (std::sin(phase) * 800.0 + 1000.0) / 44100.0;
    filter.gainDb = std::sin(phase * 1.7) * 3.0;
    filter.CalcCoefficients<ProductMaths>();
    x = filter.ProcessRounded(x * 0.5 + 0.25);
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_BiquadDesignAndRun);

// Two lines side by side in runs, as the engine runs them, the glides kept
// running throughout.
void BM_ModDelayPairRun(benchmark::State& state) {
  auto lines = std::make_unique<ModDelay<DoublePair>>();
  lines->delayRamp[0].Start(220.0, 2000.0, 1e12, 0.0);
  lines->delayRamp[1].Start(220.0, 2500.0, 1e12, 0.0);
  constexpr int kRun = 32;
  DoublePair x[kRun], gain[kRun], y[kRun];
  for (int i = 0; i < kRun; ++i) {
    x[i] = DoublePair{0.1 * i, -0.05 * i};
    gain[i] = BothHalves(0.5);
  }
  for (auto _ : state) {
    lines->Run(x, gain, y, kRun);
    benchmark::DoNotOptimize(y);
  }
  state.SetItemsProcessed(state.iterations() * kRun);
}
BENCHMARK(BM_ModDelayPairRun);

void BM_BandSaturatorArctangent(benchmark::State& state) {
  BandSaturator<double, ProductMaths> saturator;
  saturator.mode = BandSaturator<double, ProductMaths>::kModeArctangent;
  saturator.drive = 1.75;
  saturator.lowCrossover.SetCrossover<ProductMaths>(120.0f, 44100.0f);
  saturator.highCrossover.SetCrossover<ProductMaths>(6000.0f, 44100.0f);
  double phase = 0.0;
  for (auto _ : state) {
    phase += 0.0627;
    benchmark::DoNotOptimize(saturator.Process(std::sin(phase)));
  }
}
BENCHMARK(BM_BandSaturatorArctangent);

}  // namespace
