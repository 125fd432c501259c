#pragma once
// The validation signal rendered through the VST 3 module and through the
// VST 2 library, each on a thread of its own, with the host's changes at
// given frames: renders that tests hold to each other bit for bit.
#include <functional>
#include <vector>

#include "PluginHost.h"
#include "Vst2Renders.h"
#include "host/Vst3Host.h"

// The program-change parameter, and the normalised value that selects a program.
inline constexpr vst3::ParamID kProgramChangeId = 1000;
double ProgramValue(int program);

// A change the VST 3 host sends: parameter `id` to normalised `value` at
// signal frame `frame`, at its offset in the block that holds the frame; or,
// with `flush`, alone in a call of no frames before that block.
struct Vst3Change {
  int frame;
  vst3::ParamID id;
  double value;
  bool flush = false;
};

struct Vst3RenderSetup {
  float sampleRate = 44100.0f;
  int preparedBlockSize = 512;
  std::vector<int> callSizes = {512};
  std::vector<Vst3Change> changes;
  // Called after initialize and before the processing starts, as a host
  // loads a session's state.
  std::function<void(Vst3Host&)> beforeStart;

  // The plan's rate and calls, its program selected by the program-change
  // parameter at the first frame.
  static Vst3RenderSetup Like(const validation::RenderPlan& plan);
};

template <class Sample>
validation::Render<Sample> RenderVst3(const Vst3RenderSetup& setup,
                                      const validation::StereoSignal& signal);
