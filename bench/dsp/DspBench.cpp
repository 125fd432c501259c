#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "dsp/BandSaturator.h"
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
    filter.CalcCoefficients();
    x = filter.ProcessRounded(x * 0.5 + 0.25);
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_BiquadDesignAndRun);

void BM_ModDelayProcess(benchmark::State& state) {
  auto line = std::make_unique<ModDelay>();
  line->delayRamp.Start(220.0, 2000.0, 1e12, 0.0);  // keep the glide running throughout
  double x = 0.1;
  for (auto _ : state) {
    x = line->Process(x * -0.9 + 0.05);
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_ModDelayProcess);

void BM_BandSaturatorArctangent(benchmark::State& state) {
  BandSaturator<double> saturator;
  saturator.mode = BandSaturator<double>::kModeArctangent;
  saturator.drive = 1.75;
  saturator.lowCrossover.SetCrossover(120.0f, 44100.0f);
  saturator.highCrossover.SetCrossover(6000.0f, 44100.0f);
  double phase = 0.0;
  for (auto _ : state) {
    phase += 0.0627;
    benchmark::DoNotOptimize(saturator.Process(std::sin(phase)));
  }
}
BENCHMARK(BM_BandSaturatorArctangent);

}  // namespace
