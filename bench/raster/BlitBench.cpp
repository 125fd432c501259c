#include <benchmark/benchmark.h>

#include <memory>

#include "LICE_Blit.h"
#include "LICE_SysBitmap.h"
#include "LoadPlatformBitmap.h"

namespace {

// The editor's back buffer and its two commonest draws: the background
// (opaque copy of 1000 x 420) and one knob frame with source alpha.
void BM_BackgroundBlit(benchmark::State& state) {
  LICE_SysBitmap backBuffer(1000, 420);
  std::unique_ptr<LICE_IBitmap> background(
      LoadPlatformBitmap(103, "resources/img/Kestravon38exp.png"));
  if (!background) {
    state.SkipWithError("background image missing");
    return;
  }
  for (auto _ : state) {
    Blit(&backBuffer, background.get(), 0, 0, nullptr, 1.0f, kBlitModeCopy);
    benchmark::DoNotOptimize(backBuffer.Bits());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 1000 * 420);
}
BENCHMARK(BM_BackgroundBlit);

void BM_KnobFrameAlphaBlit(benchmark::State& state) {
  LICE_SysBitmap backBuffer(1000, 420);
  std::unique_ptr<LICE_IBitmap> background(
      LoadPlatformBitmap(103, "resources/img/Kestravon38exp.png"));
  std::unique_ptr<LICE_IBitmap> knob(
      LoadPlatformBitmap(101, "resources/img/PlainKnob01-64-101ov2.png"));
  if (!background || !knob) {
    state.SkipWithError("images missing");
    return;
  }
  Blit(&backBuffer, background.get(), 0, 0, nullptr, 1.0f, kBlitModeCopy);
  const int frame = static_cast<int>(state.range(0));
  const LICE_Rect source{0, 64 * (frame - 1), 64, 64 * frame};
  for (auto _ : state) {
    Blit(&backBuffer, knob.get(), 28, 108, &source, 1.0f, kBlitModeCopy | kBlitUseSourceAlpha);
    benchmark::DoNotOptimize(backBuffer.Bits());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 64 * 64);
}
BENCHMARK(BM_KnobFrameAlphaBlit)->Arg(1)->Arg(51)->Arg(101);

}  // namespace
