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
#include <vector>

#include "ProgramRenders.h"
#include "SharedLibrary.h"
#include "Vst2Render.h"
#include "product/TovraneParams.h"

using namespace program_renders;

namespace {

// The program, and the noise type when the case names one, before the start.
std::vector<double> Render(VstPluginMainProc entry, const RenderCase& c) {
  return RenderVst2(
      entry, c.rate, c.Frames(),
      [&c](AEffect* effect) {
        effect->dispatcher(effect, effSetProgram, 0, c.program, nullptr, 0.0f);
        if (c.noiseType >= 0) {
          effect->setParameter(effect, kNoiseType,
                               static_cast<float>(c.noiseType) / (kNoiseTypes - 1));
        }
      },
      [](AEffect*, int) {});
}

int RenderLibrary(const char* libraryPath, const char* outputPath) {
  void* library = nullptr;
  const VstPluginMainProc entry = OpenVst2Library(libraryPath, &library);
  if (!entry) return 2;
  const int status = WriteRenders(
      Cases(false), [entry](const RenderCase& c) { return Render(entry, c); }, outputPath);
  CloseSharedLibrary(library);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  return RenderProgramsMain(argc, argv, Cases(false), RenderLibrary);
}
