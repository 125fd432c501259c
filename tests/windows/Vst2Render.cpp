#include "Vst2Render.h"

#include <cstdint>
#include <cstdio>
#include <thread>

#include "ProgramRenders.h"
#include "SharedLibrary.h"

namespace program_renders {

namespace {

VstIntPtr SilentHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

VstPluginMainProc OpenVst2Library(const char* path, void** library) {
  *library = OpenSharedLibrary(path);
  if (!*library) {
    std::fprintf(stderr, "cannot load %s: %s\n", path, LastLoadError());
    return nullptr;
  }
  auto entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(*library, "VSTPluginMain"));
  if (!entry) std::fprintf(stderr, "%s has no VSTPluginMain\n", path);
  return entry;
}

std::vector<double> RenderVst2(VstPluginMainProc entry, float rate, int frames,
                               const std::function<void(AEffect*)>& prepare,
                               const std::function<void(AEffect*, int)>& beforeBlock) {
  std::vector<double> result(2 * static_cast<size_t>(frames));
  std::thread worker([&] {
    AEffect* effect = entry(SilentHost);
    auto dispatch = [effect](int32_t opcode, VstIntPtr value, float opt) {
      return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
    };
    dispatch(effOpen, 0, 0.0f);
    dispatch(effSetSampleRate, 0, rate);
    dispatch(effSetBlockSize, kBlock, 0.0f);
    prepare(effect);
    dispatch(effMainsChanged, 1, 0.0f);
    std::vector<double> left, right, outL(kBlock), outR(kBlock);
    TestSignal(frames, rate, &left, &right);
    for (int start = 0; start < frames; start += kBlock) {
      const int n = frames - start < kBlock ? frames - start : kBlock;
      beforeBlock(effect, start);
      double* in[2] = {left.data() + start, right.data() + start};
      double* out[2] = {outL.data(), outR.data()};
      effect->processDoubleReplacing(effect, in, out, n);
      for (int i = 0; i < n; ++i) {
        result[2 * static_cast<size_t>(start + i)] = outL[i];
        result[2 * static_cast<size_t>(start + i) + 1] = outR[i];
      }
    }
    dispatch(effClose, 0, 0.0f);
  });
  worker.join();
  return result;
}

}  // namespace program_renders
