// The editor's drawing cycle on the real layout, headless: a whole-window
// paint, the timer tick after one host-moved knob or one readout change, and
// the cost of a host thread's post. The timer runs 25 times a second, so a
// tick has 40 ms.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

#include "editor/IGraphicsHeadless.h"
#include "vst2/Tovrane.h"

namespace {

struct Editor {
  Editor() : plug(std::make_unique<Tovrane>()) {
    graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
    graphics->RedrawAll();
  }
  std::unique_ptr<Tovrane> plug;
  IGraphicsHeadless* graphics;
};

void BM_ConstructPluginWithEditor(benchmark::State& state) {
  for (auto _ : state) {
    auto plug = std::make_unique<Tovrane>();
    benchmark::DoNotOptimize(plug.get());
  }
}
BENCHMARK(BM_ConstructPluginWithEditor)->Unit(benchmark::kMillisecond);

void BM_RedrawWholeEditor(benchmark::State& state) {
  Editor e;
  for (auto _ : state) e.graphics->RedrawAll();
  state.counters["pixels_per_s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 1000 * 420, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RedrawWholeEditor)->Unit(benchmark::kMicrosecond);

void BM_TickAfterHostMovesOneKnob(benchmark::State& state) {
  Editor e;
  double value = 0.0;
  for (auto _ : state) {
    value = value > 0.99 ? 0.0 : value + 0.01;
    e.graphics->SetParameterFromHost(kWow, value, true);
    // A host change draws on two consecutive ticks.
    e.graphics->Tick();
    e.graphics->Tick();
  }
}
BENCHMARK(BM_TickAfterHostMovesOneKnob)->Unit(benchmark::kMicrosecond);

void BM_TickAfterReadoutChange(benchmark::State& state) {
  Editor e;
  int n = 0;
  char text[32];
  for (auto _ : state) {
    std::snprintf(text, sizeof text, "Wow \n%d.000000 %%", n++ % 100);
    e.graphics->SetControlText(24, text);
    e.graphics->Tick();
  }
}
BENCHMARK(BM_TickAfterReadoutChange)->Unit(benchmark::kMicrosecond);

void BM_PostFromHostThread(benchmark::State& state) {
  Editor e;
  double value = 0.0;
  for (auto _ : state) {
    value = value > 99.0 ? 0.0 : value + 1.0;
    e.graphics->SetParameterFromHost(kWow, value, false);
    e.graphics->SetControlText(24, "Wow \n12.000000 %");
  }
}
BENCHMARK(BM_PostFromHostThread);

size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// What the first change to a scale costs, once per process: the images
// drawn at that scale are made and kept from then on.
struct FirstScaleCost {
  double milliseconds = 0.0;
  double megabytes = 0.0;
};

const FirstScaleCost& FirstDrawAt(Editor& e, int quarters) {
  static std::map<int, FirstScaleCost> costs;
  auto found = costs.find(quarters);
  if (found != costs.end()) return found->second;
  const size_t before = HeapInUse();
  const auto start = std::chrono::steady_clock::now();
  e.graphics->SetScale(EditorScale::FromQuarters(quarters));
  e.graphics->RedrawAll();
  FirstScaleCost cost;
  cost.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  cost.megabytes = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / 1e6;
  return costs.emplace(quarters, cost).first->second;
}

// A whole-window paint at a scale (in quarters: 4 is 100 %), with what the
// first change to that scale took: its time and the memory it kept (the
// images at that scale and the larger back buffer).
void BM_RedrawWholeEditorAtScale(benchmark::State& state) {
  Editor e;
  const int quarters = static_cast<int>(state.range(0));
  const FirstScaleCost& first = FirstDrawAt(e, quarters);
  e.graphics->SetScale(EditorScale::FromQuarters(quarters));
  for (auto _ : state) e.graphics->RedrawAll();
  const double pixels = static_cast<double>(e.graphics->Width()) * e.graphics->Height();
  state.counters["pixels_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * pixels, benchmark::Counter::kIsRate);
  state.counters["first_change_ms"] = first.milliseconds;
  state.counters["first_change_MB"] = first.megabytes;
}
BENCHMARK(BM_RedrawWholeEditorAtScale)->Arg(5)->Arg(6)->Arg(8)->Arg(10)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace
