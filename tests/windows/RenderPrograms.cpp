// Renders every factory program at 44.1 and 48 kHz, and every noise type in
// one program at 96 kHz, through a built plug-in library, loaded as a host loads it, in double
// precision so that no difference hides behind a float's rounding, and compares two such renders.
// Built for Linux and for Windows from this one source, so the Windows library under Wine and the
// Linux library can be held against each other.
//
//   kestravon_render_programs render LIBRARY OUTPUT
//   kestravon_render_programs compare LINUX_RENDER WINDOWS_RENDER [exact|budget]
//
// The product's maths are its own, so its two renders must be identical bit
// for bit ("exact", the default). A build that calls the C runtime's maths
// can only be held to the accuracy budget ("budget").
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "SharedLibrary.h"
#include "product/TovraneParams.h"
#include "vst2/VstAbi.h"

namespace {

constexpr int kPrograms = 16;
constexpr float kRates[] = {44100.0f, 48000.0f};
constexpr int kNoiseTypes = 5;
// Noise that moves the read point far, at the rate where its steps in
// samples are largest: the brown noise's own loops and every bank's reader
// show there if either system computes them differently.
constexpr int kNoiseProgram = 3;
constexpr float kNoiseRate = 96000.0f;
constexpr int kBlock = 512;
constexpr double kSeconds = 2.0;
// The budget: the difference at least this far below the signal, in RMS.
constexpr double kBudgetDb = -120.0;

VstIntPtr SilentHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// Two tones, a slow chord and noise bursts from a fixed generator.
void TestSignal(int frames, double rate, std::vector<double>* left, std::vector<double>* right) {
  left->resize(frames);
  right->resize(frames);
  uint32_t state = 20241208u;
  for (int i = 0; i < frames; ++i) {
    const double t = i / rate;
    state = state * 1664525u + 1013904223u;
    const double noise = ((state >> 9) / 8388608.0 - 1.0) * ((i / 4096) % 3 == 0 ? 0.2 : 0.02);
    // Rounded to float, as a host's audio is: the same input on both systems
    // whatever their sine functions give.
    (*left)[i] = static_cast<float>(0.3 * std::sin(2 * 3.141592653589793 * 220 * t) + noise);
    (*right)[i] = static_cast<float>(0.25 * std::sin(2 * 3.141592653589793 * 331 * t + 0.3) +
                                     0.1 * std::sin(2 * 3.141592653589793 * 2000 * t) - noise);
  }
}

struct RenderCase {
  int program;
  float rate;
  int noiseType;  // -1: as the program has it
};

std::vector<RenderCase> Cases() {
  std::vector<RenderCase> cases;
  for (float rate : kRates) {
    for (int program = 0; program < kPrograms; ++program) cases.push_back({program, rate, -1});
  }
  for (int type = 0; type < kNoiseTypes; ++type) cases.push_back({kNoiseProgram, kNoiseRate, type});
  return cases;
}

// One case on a thread of its own: each plug-in draws its start-up noise
// from the creating thread's random generator.
std::vector<double> Render(VstPluginMainProc entry, const RenderCase& c) {
  const int program = c.program;
  const float rate = c.rate;
  std::vector<double> result;
  std::thread worker([&] {
    AEffect* effect = entry(SilentHost);
    auto dispatch = [effect](int32_t opcode, int32_t index, VstIntPtr value, float opt) {
      return effect->dispatcher(effect, opcode, index, value, nullptr, opt);
    };
    dispatch(effOpen, 0, 0, 0.0f);
    dispatch(effSetSampleRate, 0, 0, rate);
    dispatch(effSetBlockSize, 0, kBlock, 0.0f);
    dispatch(effSetProgram, 0, program, 0.0f);
    if (c.noiseType >= 0) {
      effect->setParameter(effect, kNoiseType, static_cast<float>(c.noiseType) / (kNoiseTypes - 1));
    }
    dispatch(effMainsChanged, 0, 1, 0.0f);
    const int frames = static_cast<int>(rate * kSeconds);
    std::vector<double> left, right;
    TestSignal(frames, rate, &left, &right);
    result.resize(2 * static_cast<size_t>(frames));
    std::vector<double> outL(kBlock), outR(kBlock);
    for (int start = 0; start < frames; start += kBlock) {
      const int n = frames - start < kBlock ? frames - start : kBlock;
      double* in[2] = {left.data() + start, right.data() + start};
      double* out[2] = {outL.data(), outR.data()};
      effect->processDoubleReplacing(effect, in, out, n);
      for (int i = 0; i < n; ++i) {
        result[2 * static_cast<size_t>(start + i)] = outL[i];
        result[2 * static_cast<size_t>(start + i) + 1] = outR[i];
      }
    }
    dispatch(effClose, 0, 0, 0.0f);
  });
  worker.join();
  return result;
}

int Render(const char* libraryPath, const char* outputPath) {
  void* library = OpenSharedLibrary(libraryPath);
  if (!library) {
    std::fprintf(stderr, "cannot load %s: %s\n", libraryPath, LastLoadError());
    return 2;
  }
  auto entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
  if (!entry) {
    std::fprintf(stderr, "%s has no VSTPluginMain\n", libraryPath);
    return 2;
  }
  FILE* out = std::fopen(outputPath, "wb");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", outputPath);
    return 2;
  }
  for (const RenderCase& c : Cases()) {
    const std::vector<double> samples = Render(entry, c);
    std::fwrite(samples.data(), sizeof(double), samples.size(), out);
  }
  const bool written = std::fclose(out) == 0;
  CloseSharedLibrary(library);
  return written ? 0 : 2;
}

std::vector<double> ReadAll(const char* path) {
  std::vector<double> samples;
  FILE* in = std::fopen(path, "rb");
  if (!in) return samples;
  double block[4096];
  size_t got;
  while ((got = std::fread(block, sizeof(double), 4096, in)) > 0)
    samples.insert(samples.end(), block, block + got);
  std::fclose(in);
  return samples;
}

double ToDb(double ratio) { return ratio > 0.0 ? 20.0 * std::log10(ratio) : -400.0; }

int Compare(const char* referencePath, const char* otherPath, bool exact) {
  const std::vector<double> reference = ReadAll(referencePath);
  const std::vector<double> other = ReadAll(otherPath);
  if (reference.empty() || reference.size() != other.size()) {
    std::fprintf(stderr, "renders differ in length: %zu and %zu samples\n", reference.size(),
                 other.size());
    return 1;
  }
  std::printf("%-8s %-8s %-6s %14s %14s %10s %12s\n", "rate", "program", "noise", "max |diff|",
              "RMS diff dB", "identical", "non-finite");
  size_t offset = 0;
  int failures = 0;
  int identicalCases = 0;
  double worstDb = -400.0;
  const std::vector<RenderCase> cases = Cases();
  for (const RenderCase& c : cases) {
    const size_t count = 2 * static_cast<size_t>(c.rate * kSeconds);
    double maxDiff = 0.0, diffSquares = 0.0, signalSquares = 0.0;
    size_t nonFinite = 0;
    for (size_t i = offset; i < offset + count; ++i) {
      if (!std::isfinite(other[i]) || !std::isfinite(reference[i])) {
        ++nonFinite;
        continue;
      }
      const double d = other[i] - reference[i];
      maxDiff = std::fmax(maxDiff, std::fabs(d));
      diffSquares += d * d;
      signalSquares += reference[i] * reference[i];
    }
    const bool identical =
        std::memcmp(&reference[offset], &other[offset], count * sizeof(double)) == 0;
    const double db = ToDb(std::sqrt(diffSquares / (signalSquares > 0.0 ? signalSquares : 1.0)));
    const std::string noise = c.noiseType < 0 ? "-" : std::to_string(c.noiseType);
    std::printf("%-8.0f %-8d %-6s %14.3e %14.1f %10s %12zu\n", c.rate, c.program, noise.c_str(),
                maxDiff, db, identical ? "yes" : "no", nonFinite);
    identicalCases += identical;
    worstDb = std::fmax(worstDb, db);
    if (nonFinite > 0 || db > kBudgetDb || (exact && !identical)) ++failures;
    offset += count;
  }
  std::printf(
      "%d of %d cases bit-identical (required: %s); worst RMS difference %.1f dB "
      "(budget %.0f dB)\n",
      identicalCases, static_cast<int>(cases.size()), exact ? "all" : "none", worstDb, kBudgetDb);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "render") return Render(argv[2], argv[3]);
  if ((argc == 4 || argc == 5) && std::string(argv[1]) == "compare") {
    const std::string mode = argc == 5 ? argv[4] : "exact";
    if (mode == "exact" || mode == "budget") return Compare(argv[2], argv[3], mode == "exact");
  }
  std::fprintf(stderr, "usage: %s render LIBRARY OUTPUT | compare LINUX WINDOWS [exact|budget]\n",
               argv[0]);
  return 2;
}
