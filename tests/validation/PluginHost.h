#pragma once
// A minimal host for the built plug-in library: it loads Kestravon.so once,
// creates effects through the exported entry point and talks to them only
// through the effect record, with host buffers fenced by guard zones.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "vst2/VstAbi.h"

namespace validation {

inline constexpr int kNumPrograms = 16;
inline constexpr int kNumParams = 26;
inline constexpr int kQuadMixParam = 19;
inline constexpr int kQuadDelayParam = 20;
inline constexpr int kReferenceLatency = 1378;
inline constexpr double kReferenceRate = 44100.0;

// The exported entry point of the loaded library; fails the calling test
// (and returns null) when the library or the symbol cannot be found.
VstPluginMainProc EntryPoint();

// A new effect from the entry point, or null.
AEffect* CreateEffect();

inline VstIntPtr Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

// What a host does before the first block: open, rate, block size, program, resume.
void StartEffect(AEffect* effect, float sampleRate, int blockSize, int program);

// The parameter's value text, read into a zeroed buffer much larger than the
// 32 bytes hosts provide. `overran` tells whether anything past those 32
// bytes was written.
std::string ParamDisplay(AEffect* effect, int index, bool* overran = nullptr);

// A deterministic stereo signal peaking at -6 dBFS: a sine per channel plus a
// little noise from a fixed linear congruential generator.
struct StereoSignal {
  std::vector<float> left;
  std::vector<float> right;
  int Frames() const { return static_cast<int>(left.size()); }
};
StereoSignal TestSignal(int frames, double sampleRate);

// Runs `work` to completion on a thread of its own. The plug-in's random
// generator starts from the same seed on every new thread, so renders that
// are compared bit for bit each construct, open and process there.
void OnFreshThread(const std::function<void()>& work);

// Host buffers as a host allocates them, each with a zone of canary values
// before and after the samples the plug-in may touch.
template <class Sample>
class GuardedBuffer {
 public:
  static constexpr int kGuard = 64;

  explicit GuardedBuffer(int frames) : frames(frames), storage(frames + 2 * kGuard) {
    for (Sample& s : storage) std::memcpy(&s, &Canary(), sizeof(Sample));
  }
  Sample* Data() { return storage.data() + kGuard; }
  const Sample* Data() const { return storage.data() + kGuard; }
  // True while every canary before and after the samples is unchanged.
  bool GuardsIntact() const {
    for (int i = 0; i < kGuard; ++i) {
      if (!IsCanary(storage[i]) || !IsCanary(storage[kGuard + frames + i])) return false;
    }
    return true;
  }
  // True when the given sample still holds the canary, i.e. was never written.
  static bool IsCanary(const Sample& s) { return std::memcmp(&s, &Canary(), sizeof(Sample)) == 0; }

 private:
  // A signalling NaN with a distinctive payload, which no processing produces.
  static const Sample& Canary() {
    static const Sample canary = [] {
      Sample value;
      if constexpr (sizeof(Sample) == 4) {
        const uint32_t bits = 0x7FA5C3E1u;
        std::memcpy(&value, &bits, sizeof value);
      } else {
        const uint64_t bits = 0x7FF5C3E1A5C3E1A5ull;
        std::memcpy(&value, &bits, sizeof value);
      }
      return value;
    }();
    return canary;
  }

  int frames;
  std::vector<Sample> storage;
};

// How one render was set up: the program, the rate, the block size the host
// prepared, and the sizes of the processing calls, repeated until the signal
// is used up (the last call takes what is left).
struct RenderPlan {
  int program = 0;
  float sampleRate = 44100.0f;
  int preparedBlockSize = 512;
  std::vector<int> callSizes = {512};
  bool inPlace = false;
};

template <class Sample>
struct Render {
  std::vector<Sample> left;
  std::vector<Sample> right;
  // What went wrong at the buffer boundaries: canaries overwritten, inputs
  // modified, outputs left unwritten. Empty when nothing did.
  std::string faults;
  int faultCount = 0;
  int latencyAfter = 0;
};

// One processing call, as a host makes it: signal frames [offset, offset +
// frames) go in through fresh guarded buffers sized to the call (so a single
// sample too many lands in a guard zone), the output is appended to `render`
// and any boundary fault is added to its faults. Float calls use
// processReplacing, double ones processDoubleReplacing.
// With `inPlace` the output pointers are the input buffers, as hosts that
// process in place pass them.
template <class Sample>
void ProcessCall(AEffect* effect, const StereoSignal& signal, int offset, int frames,
                 Render<Sample>* render, bool inPlace = false);

// The same call through any format's processing: the same guarded buffers,
// checks and appending, with `process` handing the buffers to the plug-in.
template <class Sample>
void GuardedCall(const StereoSignal& signal, int offset, int frames, Render<Sample>* render,
                 bool inPlace,
                 const std::function<void(Sample** inputs, Sample** outputs)>& process);

// Renders the signal through a new effect on a fresh thread.
template <class Sample>
Render<Sample> RenderOnFreshThread(const RenderPlan& plan, const StereoSignal& signal);

// Index of the first sample whose bits differ between the two renders (both
// channels, left first), or -1 when they are identical.
template <class Sample>
long FirstDifference(const Render<Sample>& a, const Render<Sample>& b);

// Index of the first non-finite output sample, or -1.
template <class Sample>
long FirstNonFinite(const Render<Sample>& render);

// Largest magnitude in the render.
template <class Sample>
double Peak(const Render<Sample>& render);

// Output level over input level (RMS of both channels) from frame `from`
// to the end: how much of the signal comes through.
template <class Sample>
double LevelRatio(const Render<Sample>& render, const StereoSignal& signal, size_t from);

// The outcome of work run in a child process.
struct ChildOutcome {
  bool passed = false;
  std::string message;
};

// Forks; the child runs `work`, which returns an empty string when all its
// checks held or a description of what failed, and exits without running
// any destructors or leak checks. A crash, a non-zero exit or running past
// the timeout counts as failure.
ChildOutcome RunInChild(const std::function<std::string()>& work, double timeoutSeconds);

}  // namespace validation
