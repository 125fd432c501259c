#include "ProgramRenders.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace program_renders {

namespace {

constexpr float kRates[] = {44100.0f, 48000.0f};
// Noise that moves the read point far, at the rate where its steps in
// samples are largest: the brown noise's own loops and every bank's reader
// show there if either system computes them differently.
constexpr int kNoiseProgram = 3;
constexpr float kNoiseRate = 96000.0f;
constexpr double kSeconds = 2.0;
// The budget: the difference at least this far below the signal, in RMS.
constexpr double kBudgetDb = -120.0;

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

}  // namespace

int RenderCase::Frames() const { return static_cast<int>(rate * kSeconds); }

std::vector<RenderCase> Cases(bool alsoSingle) {
  std::vector<RenderCase> cases;
  for (float rate : kRates) {
    for (int program = 0; program < kPrograms; ++program) cases.push_back({program, rate, -1});
  }
  for (int type = 0; type < kNoiseTypes; ++type) cases.push_back({kNoiseProgram, kNoiseRate, type});
  if (alsoSingle) {
    const size_t doubles = cases.size();
    for (size_t i = 0; i < doubles; ++i) {
      RenderCase single = cases[i];
      single.singlePrecision = true;
      cases.push_back(single);
    }
  }
  return cases;
}

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

int WriteRenders(const std::vector<RenderCase>& cases, const CaseRenderer& render,
                 const char* outputPath) {
  FILE* out = std::fopen(outputPath, "wb");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", outputPath);
    return 2;
  }
  bool written = true;
  for (const RenderCase& c : cases) {
    std::vector<double> samples = render(c);
    // A render that came out short still fills its case, so the cases after
    // it stay in place and the comparison shows which one failed.
    samples.resize(c.Samples(), std::nan(""));
    written &= std::fwrite(samples.data(), sizeof(double), samples.size(), out) == samples.size();
  }
  written &= std::fclose(out) == 0;
  return written ? 0 : 2;
}

int WriteRendersTellingRefusals(const std::vector<RenderCase>& cases,
                                const RefusableRenderer& render, const char* modulePath,
                                const char* outputPath) {
  int refused = 0;
  auto renderCase = [&](const RenderCase& c) {
    std::string failure;
    std::vector<double> samples = render(c, &failure);
    if (!failure.empty()) {
      std::fprintf(stderr, "%s: program %d at %.0f Hz: %s\n", modulePath, c.program, c.rate,
                   failure.c_str());
      ++refused;
    }
    return samples;
  };
  const int status = WriteRenders(cases, renderCase, outputPath);
  return status != 0 ? status : (refused > 0 ? 1 : 0);
}

int CompareRenders(const std::vector<RenderCase>& cases, const char* referencePath,
                   const char* otherPath, bool exact) {
  const std::vector<double> reference = ReadAll(referencePath);
  const std::vector<double> other = ReadAll(otherPath);
  size_t expected = 0;
  for (const RenderCase& c : cases) expected += c.Samples();
  if (reference.size() != expected || other.size() != expected) {
    std::fprintf(stderr, "renders of %zu and %zu samples, %zu expected\n", reference.size(),
                 other.size(), expected);
    return 1;
  }
  std::printf("%-8s %-8s %-6s %-5s %14s %14s %10s %12s\n", "rate", "program", "noise", "bits",
              "max |diff|", "RMS diff dB", "identical", "non-finite");
  size_t offset = 0;
  int failures = 0;
  int identicalCases = 0;
  double worstDb = -400.0;
  for (const RenderCase& c : cases) {
    const size_t count = c.Samples();
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
    std::printf("%-8.0f %-8d %-6s %-5d %14.3e %14.1f %10s %12zu\n", c.rate, c.program,
                noise.c_str(), c.singlePrecision ? 32 : 64, maxDiff, db, identical ? "yes" : "no",
                nonFinite);
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

int RenderProgramsMain(int argc, char** argv, const std::vector<RenderCase>& cases,
                       const LibraryRenderer& render) {
  if (argc == 4 && std::string(argv[1]) == "render") return render(argv[2], argv[3]);
  if ((argc == 4 || argc == 5) && std::string(argv[1]) == "compare") {
    const std::string mode = argc == 5 ? argv[4] : "exact";
    if (mode == "exact" || mode == "budget") {
      return CompareRenders(cases, argv[2], argv[3], mode == "exact");
    }
  }
  std::fprintf(stderr, "usage: %s render LIBRARY OUTPUT | compare LINUX WINDOWS [exact|budget]\n",
               argv[0]);
  return 2;
}

}  // namespace program_renders
