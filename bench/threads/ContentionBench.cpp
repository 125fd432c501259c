// The audio thread's block times while another thread works on the same
// plug-in, as a host's threads do: the built library is loaded through its
// entry point, and an audio thread processes 64-frame blocks at 48 kHz as
// fast as it can, each block timed, while a second thread does nothing
// (solo), loops over the program and bank chunks (a host saving and
// restoring sessions), or changes programs and parameters (automation).
// Each runs with the default scheduling and with the audio thread at
// SCHED_FIFO 70, as a DAW runs it where the system allows it.
//
// A block "slept" when the audio thread gave up the processor of its own
// accord during it (a voluntary context switch, from getrusage): waiting
// for a lock another thread holds, or for anything else. The run ends with a
// table: block times at the 50th, 99th and 99.9th percentiles and the
// longest, the blocks past the 1333 us a 64-frame block lasts, and the
// blocks that slept. KESTRAVON_CONTENTION_SECONDS sets each case's length
// (3 s unless set).
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/SharedLibrary.h"
#include "vst2/VstAbi.h"

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr int kBlock = 64;
constexpr double kDeadlineUs = 1e6 * kBlock / kSampleRate;
constexpr int kParameters = 22;

enum Contention { kSolo, kChunks, kSettings };
const char* const kContentionNames[] = {"solo", "chunks get/set", "programs + parameters"};
enum Scheduling { kDefault, kFifo };
const char* const kSchedulingNames[] = {"default", "SCHED_FIFO 70"};

VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

double CaseSeconds() {
  const char* text = std::getenv("KESTRAVON_CONTENTION_SECONDS");
  const double seconds = text ? std::atof(text) : 0.0;
  return seconds > 0.0 ? seconds : 3.0;
}

long VoluntarySwitches() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_nvcsw;
}

struct Result {
  bool ran = false;
  std::string why;
  double p50 = 0.0, p99 = 0.0, p999 = 0.0, longest = 0.0;  // microseconds
  long blocks = 0, late = 0, slept = 0;
};

class ContendedEffect {
 public:
  explicit ContendedEffect(void* library) {
    auto entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
    if (!entry) return;
    effect = entry(HostCallback);
    if (!effect) return;
    Dispatch(effOpen);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, kSampleRate);
    Dispatch(effSetBlockSize, 0, kBlock);
    Dispatch(effMainsChanged, 0, 1);
    for (int i = 0; i < kBlock; ++i) {
      left[i] = 0.3f * std::sin(0.031f * i);
      right[i] = 0.2f * std::sin(0.047f * i);
    }
  }
  ~ContendedEffect() {
    if (effect) Dispatch(effClose);
  }
  bool Ready() const { return effect != nullptr; }

  Result Run(Contention contention, Scheduling scheduling, double seconds) {
    Result result;
    std::atomic<bool> stop{false};
    std::thread other([&] { Contend(contention, stop); });
    std::vector<double> times;
    times.reserve(static_cast<size_t>(seconds * 200000));
    std::thread audio([&] {
      if (scheduling == kFifo) {
        sched_param priority{};
        priority.sched_priority = 70;
        if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) != 0) {
          result.why = "SCHED_FIFO not permitted here";
          return;
        }
      }
      float* in[2] = {left, right};
      float* out[2] = {outLeft, outRight};
      const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
      while (std::chrono::steady_clock::now() < end) {
        const long switches = VoluntarySwitches();
        const auto start = std::chrono::steady_clock::now();
        effect->processReplacing(effect, in, out, kBlock);
        const auto done = std::chrono::steady_clock::now();
        if (VoluntarySwitches() != switches) ++result.slept;
        times.push_back(std::chrono::duration<double, std::micro>(done - start).count());
      }
      result.ran = true;
    });
    audio.join();
    stop = true;
    other.join();
    Summarise(times, &result);
    return result;
  }

 private:
  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr) {
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
  }

  // What the second thread does until the audio thread is done.
  void Contend(Contention contention, const std::atomic<bool>& stop) {
    unsigned step = 0;
    while (!stop) {
      ++step;
      if (contention == kChunks) {
        for (int program : {1, 0}) {  // the program's chunk, then the bank's
          void* data = nullptr;
          const VstIntPtr size = Dispatch(effGetChunk, program, 0, &data);
          if (size <= 0 || !data) continue;
          std::vector<char> copy(static_cast<const char*>(data),
                                 static_cast<const char*>(data) + size);
          Dispatch(effSetChunk, program, size, copy.data());
        }
      } else if (contention == kSettings) {
        Dispatch(effSetProgram, 0, static_cast<VstIntPtr>(step % 16));
        for (int i = 0; i < 10; ++i) {
          effect->setParameter(effect, static_cast<int32_t>((step + i) % kParameters),
                               static_cast<float>((step * 7 + i) % 11) / 10.0f);
        }
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  }

  static void Summarise(std::vector<double>& times, Result* result) {
    result->blocks = static_cast<long>(times.size());
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) {
      return times[std::min(times.size() - 1, static_cast<size_t>(share * times.size()))];
    };
    result->p50 = at(0.5);
    result->p99 = at(0.99);
    result->p999 = at(0.999);
    result->longest = times.back();
    result->late = std::count_if(times.begin(), times.end(),
                                 [](double t) { return t > kDeadlineUs; });
  }

  AEffect* effect = nullptr;
  float left[kBlock] = {}, right[kBlock] = {}, outLeft[kBlock] = {}, outRight[kBlock] = {};
};

void* Library() {
  static void* library = OpenSharedLibrary(KESTRAVON_PLUGIN_PATH);  // stays loaded
  return library;
}

Result results[3][2];

void BM_Contention(benchmark::State& state) {
  const auto contention = static_cast<Contention>(state.range(0));
  const auto scheduling = static_cast<Scheduling>(state.range(1));
  void* library = Library();
  if (!library) {
    state.SkipWithError(LastLoadError());
    return;
  }
  ContendedEffect effect(library);
  if (!effect.Ready()) {
    state.SkipWithError("the library made no effect");
    return;
  }
  Result result;
  for (auto _ : state) {
    result = effect.Run(contention, scheduling, CaseSeconds());
    state.SetIterationTime(result.p50 * 1e-6);
  }
  results[contention][scheduling] = result;
  if (!result.ran) {
    state.SkipWithError(result.why.c_str());
    return;
  }
  state.counters["p99.9_us"] = result.p999;
  state.counters["longest_us"] = result.longest;
  state.counters["slept"] = static_cast<double>(result.slept);
  state.SetLabel(std::string(kContentionNames[contention]) + ", " +
                 kSchedulingNames[scheduling]);
}
BENCHMARK(BM_Contention)
    ->ArgsProduct({{kSolo, kChunks, kSettings}, {kDefault, kFifo}})
    ->Iterations(1)
    ->UseManualTime();

void PrintTable() {
  std::printf("\n%-24s %-14s %8s %8s %8s %9s %8s %8s %7s\n", "second thread", "audio thread",
              "p50 us", "p99 us", "p99.9 us", "longest", "blocks", "late", "slept");
  for (int c = kSolo; c <= kSettings; ++c) {
    for (int s = kDefault; s <= kFifo; ++s) {
      const Result& r = results[c][s];
      if (!r.ran) {
        std::printf("%-24s %-14s %s\n", kContentionNames[c], kSchedulingNames[s],
                    r.why.empty() ? "not run" : r.why.c_str());
        continue;
      }
      std::printf("%-24s %-14s %8.1f %8.1f %8.1f %9.1f %8ld %8ld %7ld\n", kContentionNames[c],
                  kSchedulingNames[s], r.p50, r.p99, r.p999, r.longest, r.blocks, r.late,
                  r.slept);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  PrintTable();
  benchmark::Shutdown();
  return 0;
}
