#pragma once
// What every render through a built VST 2 library does alike: loading it as a
// host does, and running one effect on a thread of its own (each plug-in draws
// its start-up noise from the creating thread's random generator) over the
// test signal in blocks of program_renders::kBlock, in double precision.
#include <functional>
#include <vector>

#include "vst2/VstAbi.h"

namespace program_renders {

// The library's entry point, with the library left open in *library; null,
// after a line on stderr, when it does not load or has no VSTPluginMain.
VstPluginMainProc OpenVst2Library(const char* path, void** library);

// Opens an effect at rate, lets `prepare` set it up before it starts, and
// processes `frames` of the test signal, calling `beforeBlock` with each
// block's first frame; interleaved stereo out.
std::vector<double> RenderVst2(VstPluginMainProc entry, float rate, int frames,
                               const std::function<void(AEffect*)>& prepare,
                               const std::function<void(AEffect*, int)>& beforeBlock);

}  // namespace program_renders
