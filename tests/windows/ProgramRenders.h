#pragma once
// What the Windows-against-Linux comparisons render and how they hold two
// renders to each other: every factory program at 44.1 and 48 kHz, and every
// noise type in one program at 96 kHz, through a fixed test signal; a render
// file is the cases' output one after the other, stereo frames interleaved,
// each sample a double (a single-precision case's samples widened).
//
// A render program built for both systems uses RenderProgramsMain:
//   PROGRAM render LIBRARY OUTPUT
//   PROGRAM compare LINUX_RENDER WINDOWS_RENDER [exact|budget]
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace program_renders {

inline constexpr int kPrograms = 16;
inline constexpr int kNoiseTypes = 5;
// Frames per processing call.
inline constexpr int kBlock = 512;

struct RenderCase {
  int program;
  float rate;
  int noiseType;  // -1: as the program has it
  bool singlePrecision = false;

  int Frames() const;
  // Interleaved stereo samples in the render.
  size_t Samples() const { return 2 * static_cast<size_t>(Frames()); }
};

// The cases in double precision, followed, with `alsoSingle`, by the same
// cases again in single precision.
std::vector<RenderCase> Cases(bool alsoSingle);

// Two tones, a slow chord and noise bursts from a fixed generator, each
// sample a float's value.
void TestSignal(int frames, double rate, std::vector<double>* left, std::vector<double>* right);

// Renders one case through a library the caller has loaded: interleaved stereo.
using CaseRenderer = std::function<std::vector<double>(const RenderCase&)>;

// Renders every case in order into the file at `outputPath`: 0, or 2 when it cannot be written.
int WriteRenders(const std::vector<RenderCase>& cases, const CaseRenderer& render,
                 const char* outputPath);

// Prints a table of the cases' differences; 0 when the renders agree (bit
// for bit when `exact`, else to the accuracy budget), 1 when they do not.
int CompareRenders(const std::vector<RenderCase>& cases, const char* referencePath,
                   const char* otherPath, bool exact);

// Renders one case through a module that may refuse it, with the reason in `failure`.
using RefusableRenderer =
    std::function<std::vector<double>(const RenderCase&, std::string* failure)>;

// WriteRenders through such a module: each refusal is printed with the case
// and the module's path, and makes the status 1 when the file was written.
int WriteRendersTellingRefusals(const std::vector<RenderCase>& cases,
                                const RefusableRenderer& render, const char* modulePath,
                                const char* outputPath);

// Loads the library at `libraryPath` and renders into `outputPath`: the exit status.
using LibraryRenderer = std::function<int(const char* libraryPath, const char* outputPath)>;

// The command line of a render program: "render" or "compare" as above.
int RenderProgramsMain(int argc, char** argv, const std::vector<RenderCase>& cases,
                       const LibraryRenderer& render);

}  // namespace program_renders
