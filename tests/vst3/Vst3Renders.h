#pragma once
// The validation signal rendered through the VST 3 module and through the
// VST 2 library, each on a thread of its own, with the host's changes at
// given frames: renders that tests hold to each other bit for bit.
#include <functional>
#include <vector>

#include "PluginHost.h"
#include "host/Vst3Host.h"

// The signal the renders compare: validation's at its reference rate.
inline constexpr int kSignalFrames = 8192;
const validation::StereoSignal& Signal();
// The program at the reference rate in blocks of 512 frames, the VST 2 library's usual plan.
inline constexpr int kBlock = 512;
validation::RenderPlan Plan(int program);

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

// Something the VST 2 host does to the effect just before frame `frame` is
// processed; a call that spans the frame is split there.
struct Vst2Action {
  int frame;
  std::function<void(AEffect*)> act;
};

template <class Sample>
validation::Render<Sample> RenderVst3(const Vst3RenderSetup& setup,
                                      const validation::StereoSignal& signal);

template <class Sample>
validation::Render<Sample> RenderVst2(const validation::RenderPlan& plan,
                                      const validation::StereoSignal& signal,
                                      const std::vector<Vst2Action>& actions = {});
