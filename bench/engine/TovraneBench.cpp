// The whole processing chain as a host drives it, through the plug-in
// module's entry point: stereo, 48 kHz, blocks of 512 frames, for the
// default settings, "Power" off and every factory program. Every setting runs
// in the product module and in the literal-maths module block by block in
// turn, and the run ends with a table of the two side by side: nanoseconds
// per frame, the product's time as a share of the literal one, and how many
// times faster than real time the product runs on one core.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
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

// A started effect of one build, with its input and output blocks.
class BenchEffect {
 public:
  BenchEffect(int build, int setting) {
    const VstPluginMainProc entry = Entry(build);
    if (!entry) return;
    effect = entry(HostCallback);
    Dispatch(effOpen, 0);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
    Dispatch(effSetBlockSize, kBlock);
    if (setting >= 0) Dispatch(effSetProgram, setting);
    if (setting == kPowerOff) effect->setParameter(effect, kPowerParam, 1.0f);
    Dispatch(effMainsChanged, 1);
    for (int i = 0; i < kBlock; ++i) {
      left[i] = 0.3 * std::sin(0.031 * i);
      right[i] = 0.2 * std::sin(0.017 * i + 1.0);
    }
  }
  ~BenchEffect() {
    if (effect) Dispatch(effClose, 0);
  }
  BenchEffect(const BenchEffect&) = delete;
  BenchEffect& operator=(const BenchEffect&) = delete;

  bool Loaded() const { return effect != nullptr; }
  void ProcessBlock() {
    double* in[2] = {left.data(), right.data()};
    double* out[2] = {outLeft.data(), outRight.data()};
    effect->processDoubleReplacing(effect, in, out, kBlock);
    benchmark::DoNotOptimize(outLeft.data());
  }
  std::string SettingName(int setting) {
    if (setting == kDefaultSettings) return "default";
    if (setting == kPowerOff) return "power off (bypass)";
    char name[64] = "";
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0.0f);
    return std::to_string(setting) + " " + name;
  }

 private:
  void Dispatch(int32_t opcode, VstIntPtr value) {
    effect->dispatcher(effect, opcode, 0, value, nullptr, 0.0f);
  }

  AEffect* effect = nullptr;
  std::vector<double> left = std::vector<double>(kBlock), right = std::vector<double>(kBlock);
  std::vector<double> outLeft = std::vector<double>(kBlock), outRight = std::vector<double>(kBlock);
};

using Clock = std::chrono::steady_clock;

// Each iteration processes one block in each build, one right after the
// other, and times each: the two are measured under the same conditions, so
// the ratio holds even while the machine's speed drifts.
void BM_SideBySide(benchmark::State& state) {
  const int setting = static_cast<int>(state.range(0));
  BenchEffect product(kProduct, setting), literal(kLiteral, setting);
  if (!product.Loaded() || !literal.Loaded()) {
    state.SkipWithError("cannot load both plug-in modules");
    return;
  }
  Clock::duration productTime{}, literalTime{};
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    product.ProcessBlock();
    const Clock::time_point between = Clock::now();
    literal.ProcessBlock();
    const Clock::time_point end = Clock::now();
    productTime += between - start;
    literalTime += end - between;
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  const double frames = static_cast<double>(state.iterations()) * kBlock;
  const double productNs = std::chrono::duration<double, std::nano>(productTime).count() / frames;
  const double literalNs = std::chrono::duration<double, std::nano>(literalTime).count() / frames;
  state.counters["product_ns_per_frame"] = productNs;
  state.counters["literal_ns_per_frame"] = literalNs;
  state.counters["product_share"] = productNs / literalNs;
  state.counters["product_realtime_factor"] = 1e9 / (productNs * kSampleRate);
  state.SetLabel(product.SettingName(setting));
}

BENCHMARK(BM_SideBySide)->DenseRange(kPowerOff, 15)->UseManualTime();

// The console report as usual, then the table of the two builds. With
// repetitions, the medians are shown.
class SideBySideReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration && run.repetitions > 1) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      Row row;
      row.product = run.counters.at("product_ns_per_frame").value;
      row.literal = run.counters.at("literal_ns_per_frame").value;
      row.share = run.counters.at("product_share").value;
      rows.emplace_back(run.report_label, row);
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-26s %12s %12s %9s %11s\n", "setting (48 kHz)", "product ns", "literal ns",
                "product", "x realtime");
    for (const auto& [name, row] : rows) {
      std::printf("%-26s %12.1f %12.1f %8.1f%% %11.0f\n", name.c_str(), row.product, row.literal,
                  100.0 * row.share, 1e9 / (row.product * kSampleRate));
    }
  }

 private:
  struct Row {
    double product = 0.0;
    double literal = 0.0;
    double share = 0.0;
  };
  std::vector<std::pair<std::string, Row>> rows;
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
