#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "dsp/Maths.h"
#include "dsp/RandomGenerator.h"
#include "dsp/TapeChannel.h"
#include "dsp/TapeShaping.h"
#include "dsp/TransportSines.h"

namespace {

// A heavy setting: profile 1 (saturator and tone filters), vinyl noise read
// with interpolation at a non-reference rate, every knob up. Both channels'
// transports, then their shaping side by side, a run at a time.
void BM_TapeChannelsHeavy(benchmark::State& state) {
  RandomGenerator::ResetForThisThread();
  auto left = std::make_unique<TapeChannel<ProductMaths>>();
  auto right = std::make_unique<TapeChannel<ProductMaths>>();
  left->Init(0);
  right->Init(376);
  TapeChannelSettings s;
  s.profile = 1;
  s.noiseType = 2;
  s.noiseAmp = s.noiseDynamic = s.harmonics = s.tubeDrive = 1.0;
  s.wow = s.scratch = s.lfBoost = s.hfBoost = s.age = s.wide = 1.0;
  s.speed = 0.5;
  TapeShaping<DoublePair, ProductMaths> shaping;
  left->Configure(s, 48000.0);
  right->Configure(s, 48000.0);
  shaping.Configure(s, 48000.0);
  TransportSines<DoublePair> sines;
  sines.SetTime(DoublePair{0.0, 376.0});
  constexpr int kRun = 32;
  DoublePair wow[kRun], flutter[kRun], delayed[kRun], noise[kRun], tube[kRun], out[kRun];
  double phase = 0.0;
  for (auto _ : state) {
    sines.Run(BothHalves(48000.0), kRun, wow, flutter);
    for (int i = 0; i < kRun; ++i) {
      phase += 0.0627;
      const double x = 0.5 * std::sin(phase);
      const auto l = left->Transport(x, -1.0, wow[i][0], flutter[i][0]);
      const auto r =
          right->Transport(x, left->ReadPosition(), wow[i][1], flutter[i][1]);
      delayed[i] = DoublePair{l.delayed, r.delayed};
      noise[i] = DoublePair{l.noise, r.noise};
      tube[i] = DoublePair{left->TubeLevel(), right->TubeLevel()};
    }
    shaping.Run(delayed, noise, tube, out, kRun);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations() * kRun * 2);
}
BENCHMARK(BM_TapeChannelsHeavy);

}  // namespace
