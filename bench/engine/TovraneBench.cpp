// The whole processing chain as a host drives it, through the plug-in
// module's entry point: stereo, 48 kHz, blocks of 512 frames. Every setting
// runs in the product module and in the literal-maths module one after the
// other, and the run ends with a table of the two side by side: nanoseconds
// per frame, how many times faster than real time, and the product's time as
// a share of the literal one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/SharedLibrary.h"
#include "vst2/VstAbi.h"

namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kPowerParam = 18;

enum Setting { kDefaultSettings = -1, kPowerOff = -2 };
enum Build { kProduct = 0, kLiteral = 1 };
const char* const kBuildNames[] = {"product", "literal"};
const char* const kModulePaths[] = {KESTRAVON_PLUGIN_PATH, KESTRAVON_LITERAL_PLUGIN_PATH};

VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

VstPluginMainProc Entry(int build) {
  static VstPluginMainProc entries[2] = {};
  if (!entries[build]) {
    void* library = OpenSharedLibrary(kModulePaths[build]);  // stays loaded
    if (library) {
      entries[build] =
          reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
    }
  }
  return entries[build];
}

std::string SettingName(AEffect* effect, int setting) {
  if (setting == kDefaultSettings) return "default";
  if (setting == kPowerOff) return "power off (bypass)";
  char name[64] = "";
  effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0.0f);
  return std::to_string(setting) + " " + name;
}

void BM_ProcessBlock(benchmark::State& state) {
  const int setting = static_cast<int>(state.range(0));
  const int build = static_cast<int>(state.range(1));
  const VstPluginMainProc entry = Entry(build);
  if (!entry) {
    state.SkipWithError((std::string("cannot load ") + kModulePaths[build]).c_str());
    return;
  }
  AEffect* effect = entry(HostCallback);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
  effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  if (setting >= 0) effect->dispatcher(effect, effSetProgram, 0, setting, nullptr, 0.0f);
  if (setting == kPowerOff) effect->setParameter(effect, kPowerParam, 1.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

  std::vector<double> left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock);
  for (int i = 0; i < kBlock; ++i) {
    left[i] = 0.3 * std::sin(0.031 * i);
    right[i] = 0.2 * std::sin(0.017 * i + 1.0);
  }
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    effect->processDoubleReplacing(effect, in, out, kBlock);
    benchmark::DoNotOptimize(outLeft.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
  state.counters["ns_per_frame"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kBlock),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
  state.counters["realtime_factor"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kBlock) / kSampleRate, benchmark::Counter::kIsRate);
  state.SetLabel(SettingName(effect, setting) + " [" + kBuildNames[build] + "]");
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

// Each setting's two builds run next to each other, so the ratio compares
// times taken moments apart.
void RegisterSettings(benchmark::internal::Benchmark* bench) {
  for (int setting = kPowerOff; setting < 16; ++setting) {
    bench->Args({setting, kProduct});
    bench->Args({setting, kLiteral});
  }
}
BENCHMARK(BM_ProcessBlock)->Apply(RegisterSettings);

// The console report as usual, plus the side-by-side table at the end. With
// repetitions, the medians are compared.
class SideBySideReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration && run.repetitions > 1) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const auto counter = run.counters.find("ns_per_frame");
      if (counter == run.counters.end()) continue;
      const std::string label = run.report_label;
      const size_t bracket = label.rfind(" [");
      const bool literal = label.find("[literal]") != std::string::npos;
      Row& row = rows[label.substr(0, bracket)];
      // The counter holds seconds per frame.
      (literal ? row.literal : row.product) = counter->second.value * 1e9;
      if (row.order == 0) row.order = ++seen;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::vector<std::pair<int, std::string>> order;
    for (const auto& [name, row] : rows) order.emplace_back(row.order, name);
    std::sort(order.begin(), order.end());
    std::printf("\n%-26s %12s %12s %10s %10s\n", "setting (48 kHz)", "product ns", "literal ns",
                "product", "x realtime");
    for (const auto& [unused, name] : order) {
      const Row& row = rows[name];
      std::printf("%-26s %12.1f %12.1f %9.1f%% %10.0f\n", name.c_str(), row.product, row.literal,
                  100.0 * row.product / row.literal, 1e9 / (row.product * kSampleRate));
    }
  }

 private:
  struct Row {
    double product = NAN;
    double literal = NAN;
    int order = 0;
  };
  std::map<std::string, Row> rows;
  int seen = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SideBySideReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
