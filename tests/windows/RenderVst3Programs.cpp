// Renders the factory programs, and the noise types, through a built VST 3
// module, loaded and driven as a VST 3 host does, in 64-bit and in 32-bit
// processing, and compares two such renders. Built for Linux and for Windows
// from this one source, so the Windows module under Wine and the Linux module
// can be held against each other.
//
//   kestravon_render_vst3_programs render MODULE OUTPUT
//   kestravon_render_vst3_programs compare LINUX_RENDER WINDOWS_RENDER [exact|budget]
//
// The host selects each program as it would from its program list: the
// program-change parameter, then the noise type when the case sets one, both
// at the first frame of the first block.
#include <cstdio>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "ProgramRenders.h"
#include "host/Vst3Host.h"
#include "product/TovraneParams.h"

using namespace program_renders;

namespace {

constexpr vst3::ParamID kProgramChangeId = 1000;

template <class Sample>
constexpr vst3::int32 SampleSize() {
  return std::is_same_v<Sample, float> ? vst3::kSample32 : vst3::kSample64;
}

void SelectProgram(const RenderCase& c, ParameterChanges* changes) {
  changes->Add(kProgramChangeId, 0, static_cast<double>(c.program) / (kPrograms - 1));
  if (c.noiseType >= 0) {
    changes->Add(kNoiseType, 0, static_cast<double>(c.noiseType) / (kNoiseTypes - 1));
  }
}

// The case through a started host, in blocks of kBlock; empty on a refusal,
// with the reason in `failure`.
template <class Sample>
std::vector<double> Play(Vst3Host& host, const RenderCase& c, std::string* failure) {
  const vst3::tresult started = host.Start(c.rate, kBlock, SampleSize<Sample>());
  if (started != vst3::kResultOk) {
    *failure = "the processing did not start: " + std::to_string(started);
    return {};
  }
  const int frames = c.Frames();
  std::vector<double> left, right;
  TestSignal(frames, c.rate, &left, &right);
  std::vector<double> result(c.Samples());
  std::vector<Sample> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
  ParameterChanges changes;
  SelectProgram(c, &changes);
  for (int start = 0; start < frames; start += kBlock) {
    const int n = frames - start < kBlock ? frames - start : kBlock;
    for (int i = 0; i < n; ++i) {
      inL[i] = static_cast<Sample>(left[start + i]);
      inR[i] = static_cast<Sample>(right[start + i]);
    }
    Sample* in[2] = {inL.data(), inR.data()};
    Sample* out[2] = {outL.data(), outR.data()};
    const vst3::tresult processed = host.Process(in, out, n, start == 0 ? &changes : nullptr);
    if (processed != vst3::kResultOk) {
      *failure =
          "process answered " + std::to_string(processed) + " at frame " + std::to_string(start);
      return {};
    }
    for (int i = 0; i < n; ++i) {
      result[2 * static_cast<size_t>(start + i)] = outL[i];
      result[2 * static_cast<size_t>(start + i) + 1] = outR[i];
    }
  }
  host.Stop();
  return result;
}

// One case in an instance of its own, made on a thread of its own: each
// instance draws its start-up noise from the creating thread's random generator.
std::vector<double> Render(const char* modulePath, const RenderCase& c, std::string* failure) {
  std::vector<double> result;
  std::thread worker([&] {
    Vst3Host host(modulePath);
    if (!host.Failure().empty()) {
      *failure = host.Failure();
      return;
    }
    result = c.singlePrecision ? Play<float>(host, c, failure) : Play<double>(host, c, failure);
  });
  worker.join();
  return result;
}

int RenderModule(const char* modulePath, const char* outputPath) {
  return WriteRendersTellingRefusals(
      Cases(true),
      [modulePath](const RenderCase& c, std::string* failure) {
        return Render(modulePath, c, failure);
      },
      modulePath, outputPath);
}

}  // namespace

int main(int argc, char** argv) {
  return RenderProgramsMain(argc, argv, Cases(true), RenderModule);
}
