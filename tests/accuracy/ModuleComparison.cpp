#include "ModuleComparison.h"

#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "SharedLibrary.h"
#include "product/TovraneParams.h"
#include "vst2/VstAbi.h"

namespace {

constexpr int kBlock = kComparisonBlock;

VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

VstPluginMainProc LoadEntry(const char* path, std::string* error) {
  void* library = OpenSharedLibrary(path);  // kept loaded for the program's life
  if (!library) {
    *error = std::string("cannot load ") + path + ": " + LastLoadError();
    return nullptr;
  }
  auto entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
  if (!entry) *error = std::string("no entry point in ") + path;
  return entry;
}

VstIntPtr Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                   float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, nullptr, opt);
}

AEffect* StartEffect(VstPluginMainProc entry, const ComparisonPlan& plan) {
  AEffect* effect = entry(HostCallback);
  if (!effect) return nullptr;
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, 0, plan.sampleRate);
  Dispatch(effect, effSetBlockSize, 0, kBlock);
  Dispatch(effect, effSetProgram, 0, plan.program);
  if (plan.powerOff) effect->setParameter(effect, kPower, 1.0f);
  for (const ParameterChange& change : plan.changes) {
    if (change.frame == 0) effect->setParameter(effect, change.index, change.value);
  }
  Dispatch(effect, effMainsChanged, 0, 1);
  return effect;
}

// Two sines a fifth apart with a little white noise, at -6 dBFS, generated a
// block at a time so that an hour needs no more memory than a second.
class StreamingSignal {
 public:
  explicit StreamingSignal(double sampleRate) : rate(sampleRate) {}
  void Fill(double* left, double* right, int frames) {
    constexpr double kTwoPi = 6.283185307179586;
    for (int i = 0; i < frames; ++i, ++frame) {
      // The phase is taken modulo whole cycles of both tones, so it stays exact for hours.
      const double t = static_cast<double>(frame % static_cast<int64_t>(rate)) / rate;
      left[i] = static_cast<float>(0.4 * std::sin(kTwoPi * 220.0 * t) + 0.1 * Noise());
      right[i] = static_cast<float>(0.4 * std::sin(kTwoPi * 330.0 * t + 0.5) + 0.1 * Noise());
    }
  }

 private:
  double Noise() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
  double rate;
  int64_t frame = 0;
  uint32_t state = 12345u;
};

void RunPair(VstPluginMainProc productEntry, VstPluginMainProc literalEntry,
             const ComparisonPlan& plan, ComparisonResult* result) {
  AEffect* product = StartEffect(productEntry, plan);
  AEffect* literal = StartEffect(literalEntry, plan);
  if (!product || !literal) {
    result->error = "an entry point returned no effect";
    return;
  }
  std::vector<double> inL(kBlock), inR(kBlock), pL(kBlock), pR(kBlock), lL(kBlock), lR(kBlock);
  double* in[2] = {inL.data(), inR.data()};
  double* productOut[2] = {pL.data(), pR.data()};
  double* literalOut[2] = {lL.data(), lR.data()};
  StreamingSignal signal(plan.sampleRate);
  const int64_t total = static_cast<int64_t>(plan.seconds * plan.sampleRate);
  const int64_t windowStart = total - static_cast<int64_t>(plan.windowSeconds * plan.sampleRate);
  size_t nextChange = 0;
  for (int64_t done = 0; done < total;) {
    const int frames = static_cast<int>(std::min<int64_t>(kBlock, total - done));
    for (; nextChange < plan.changes.size() && plan.changes[nextChange].frame <= done;
         ++nextChange) {
      const ParameterChange& change = plan.changes[nextChange];
      if (change.frame == 0) continue;
      product->setParameter(product, change.index, change.value);
      literal->setParameter(literal, change.index, change.value);
    }
    signal.Fill(inL.data(), inR.data(), frames);
    product->processDoubleReplacing(product, in, productOut, frames);
    literal->processDoubleReplacing(literal, in, literalOut, frames);
    for (int i = 0; i < frames; ++i) {
      for (int c = 0; c < 2; ++c) {
        const double p = productOut[c][i], l = literalOut[c][i];
        result->whole.Add(p, l);
        if (done + i >= windowStart) result->window.Add(p, l);
      }
    }
    done += frames;
  }
  Dispatch(product, effClose);
  Dispatch(literal, effClose);
}

}  // namespace

double DifferenceStats::RelativeRmsDb() const {
  if (differenceSquares == 0.0) return -INFINITY;
  return 10.0 * std::log10(differenceSquares / literalSquares);
}

double DifferenceStats::WithinFraction() const {
  return samples == 0 ? 0.0 : static_cast<double>(withinTolerance) / samples;
}

void DifferenceStats::Add(double product, double literal) {
  ++samples;
  if (!std::isfinite(product) || !std::isfinite(literal)) {
    ++nonFinite;
    return;
  }
  const double difference = product - literal;
  literalSquares += literal * literal;
  differenceSquares += difference * difference;
  const double relative = std::fabs(difference) / (1.0 + std::fabs(literal));
  if (relative <= 1e-6) ++withinTolerance;
  if (relative > worstRelative) worstRelative = relative;
  if (difference != 0.0 || std::signbit(product) != std::signbit(literal)) ++bitDifferent;
}

std::string DifferenceStats::Describe() const {
  char text[200];
  std::snprintf(text, sizeof text,
                "rms difference %.1f dB, %.4f %% within 1e-6, worst %.3g, %lld of %lld samples "
                "differ, %lld non-finite",
                RelativeRmsDb(), 100.0 * WithinFraction(), worstRelative,
                static_cast<long long>(bitDifferent), static_cast<long long>(samples),
                static_cast<long long>(nonFinite));
  return text;
}

namespace {

std::string loadError;

VstPluginMainProc ProductEntry() {
  static const VstPluginMainProc entry = LoadEntry(KESTRAVON_PLUGIN_PATH, &loadError);
  return entry;
}

VstPluginMainProc LiteralEntry() {
  static const VstPluginMainProc entry = LoadEntry(KESTRAVON_LITERAL_PLUGIN_PATH, &loadError);
  return entry;
}

}  // namespace

std::vector<std::string> ProductParameterNames() {
  std::vector<std::string> names;
  const VstPluginMainProc entry = ProductEntry();
  AEffect* effect = entry ? entry(HostCallback) : nullptr;
  if (!effect) return names;
  Dispatch(effect, effOpen);
  for (int i = 0; i < effect->numParams; ++i) {
    char name[kVstMaxLabelLen + 1] = {};
    effect->dispatcher(effect, effGetParamName, i, 0, name, 0.0f);
    names.emplace_back(name);
  }
  Dispatch(effect, effClose);
  return names;
}

ComparisonResult CompareModules(const ComparisonPlan& plan) {
  ComparisonResult result;
  const VstPluginMainProc productEntry = ProductEntry();
  const VstPluginMainProc literalEntry = LiteralEntry();
  if (!productEntry || !literalEntry) {
    result.error = loadError;
    return result;
  }
  // Each module keeps one random generator per thread; a fresh thread starts
  // both from the same seed, whatever ran before.
  std::thread worker(RunPair, productEntry, literalEntry, std::cref(plan), &result);
  worker.join();
  return result;
}
