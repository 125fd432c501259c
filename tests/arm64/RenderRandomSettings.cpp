// Renders random settings of every sound parameter, with and without random
// automation of them, through a built VST 2 library loaded as a host loads it,
// and holds two such renders to each other bit for bit. Built for the build
// machine and for another processor from this one source, so the two builds'
// libraries can be compared on the same cases.
//
//   kestravon_render_random_settings render LIBRARY OUTPUT
//   kestravon_render_random_settings compare REFERENCE_RENDER OTHER_RENDER
//
// Case k is drawn from seed k as the accuracy suite draws its random cases:
// the rate cycles through three, "Quad mix" is 0 in every other case, and the
// odd cases are automated. A render file is the cases' output one after the
// other, stereo frames interleaved, each sample a double.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ProgramRenders.h"
#include "SettingsCases.h"
#include "SharedLibrary.h"
#include "Vst2Render.h"

namespace {

constexpr int kCases = 24;
constexpr double kSeconds = 1.0;
constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f};

struct RandomCase {
  float rate = 0.0f;
  int frames = 0;
  std::vector<ParameterChange> changes;  // in order of frame
};

RandomCase MakeCase(int k) {
  std::mt19937 random(static_cast<uint32_t>(k));
  const bool withQuadMix = k % 2 == 0;
  RandomCase c;
  c.rate = kRates[k % 3];
  c.frames = static_cast<int>(kSeconds * c.rate);
  c.changes = RandomSettings(random, 0, withQuadMix);
  if (k % 2 == 1) {
    const auto automation =
        RandomAutomation(random, c.frames, program_renders::kBlock, withQuadMix);
    c.changes.insert(c.changes.end(), automation.begin(), automation.end());
  }
  return c;
}

// Changes due by `frame` that are still to be made, from `next` on.
void ApplyChanges(AEffect* effect, const RandomCase& c, int frame, size_t* next) {
  for (; *next < c.changes.size() && c.changes[*next].frame <= frame; ++*next) {
    effect->setParameter(effect, c.changes[*next].index, c.changes[*next].value);
  }
}

std::vector<double> Render(VstPluginMainProc entry, const RandomCase& c) {
  size_t next = 0;
  return program_renders::RenderVst2(
      entry, c.rate, c.frames,
      [&](AEffect* effect) {
        effect->dispatcher(effect, effSetProgram, 0, 0, nullptr, 0.0f);
        ApplyChanges(effect, c, 0, &next);
      },
      [&](AEffect* effect, int start) { ApplyChanges(effect, c, start, &next); });
}

int RenderLibrary(const char* libraryPath, const char* outputPath) {
  void* library = nullptr;
  const VstPluginMainProc entry = program_renders::OpenVst2Library(libraryPath, &library);
  FILE* out = entry ? std::fopen(outputPath, "wb") : nullptr;
  if (!out) {
    if (entry) std::fprintf(stderr, "cannot write the render\n");
    return 2;
  }
  bool written = true;
  for (int k = 0; k < kCases; ++k) {
    const std::vector<double> samples = Render(entry, MakeCase(k));
    written = written && std::fwrite(samples.data(), sizeof(double), samples.size(), out) ==
                             samples.size();
  }
  written = std::fclose(out) == 0 && written;
  CloseSharedLibrary(library);
  return written ? 0 : 2;
}

std::vector<char> ReadAll(const char* path) {
  std::vector<char> bytes;
  if (FILE* in = std::fopen(path, "rb")) {
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0) bytes.insert(bytes.end(), block, block + got);
    std::fclose(in);
  }
  return bytes;
}

// One line per case, and 0 when every case's samples are the same bits.
int Compare(const char* referencePath, const char* otherPath) {
  const std::vector<char> reference = ReadAll(referencePath), other = ReadAll(otherPath);
  size_t offset = 0;
  int identical = 0;
  for (int k = 0; k < kCases; ++k) {
    const RandomCase c = MakeCase(k);
    const size_t bytes = 2 * static_cast<size_t>(c.frames) * sizeof(double);
    const bool present = offset + bytes <= reference.size() && offset + bytes <= other.size();
    const bool same =
        present && std::memcmp(reference.data() + offset, other.data() + offset, bytes) == 0;
    identical += same;
    std::printf("case %2d  %5.0f Hz  %2zu changes  %s\n", k, c.rate, c.changes.size(),
                same ? "identical" : present ? "DIFFERENT" : "MISSING");
    offset += bytes;
  }
  const bool sameLength = reference.size() == offset && other.size() == offset;
  std::printf("%d of %d random-settings cases identical bit for bit%s\n", identical, kCases,
              sameLength ? "" : " (a render has the wrong length)");
  return identical == kCases && sameLength ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "render") return RenderLibrary(argv[2], argv[3]);
  if (argc == 4 && std::string(argv[1]) == "compare") return Compare(argv[2], argv[3]);
  std::fprintf(stderr, "usage: %s render LIBRARY OUTPUT | compare REFERENCE OTHER\n", argv[0]);
  return 2;
}
