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
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

#include "ProgramRenders.h"
#include "SharedLibrary.h"
#include "product/TovraneParams.h"
#include "vst2/VstAbi.h"

using namespace program_renders;

namespace {

VstIntPtr SilentHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
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
    const int frames = c.Frames();
    std::vector<double> left, right;
    TestSignal(frames, rate, &left, &right);
    result.resize(c.Samples());
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

int RenderLibrary(const char* libraryPath, const char* outputPath) {
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
  const int status = WriteRenders(
      Cases(false), [entry](const RenderCase& c) { return Render(entry, c); }, outputPath);
  CloseSharedLibrary(library);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  return RenderProgramsMain(argc, argv, Cases(false), RenderLibrary);
}
