#pragma once
// The validation signal rendered through the CLAP module, on a thread of
// its own, with the host's parameter events at given frames: renders that
// tests hold to the VST 2 library's (Vst2Renders.h) bit for bit.
#include <functional>
#include <vector>

#include "Vst2Renders.h"
#include "host/ClapHost.h"

// How the render's program is chosen before activation, as hosts do: by
// the preset-load extension's load key, or by a session state that names it.
enum class ProgramBy { PresetLoad, State };

// The CLAP host sets parameter `id` to the plain `value` at signal frame
// `frame`, at its time in the block that holds the frame; or, with
// `flush`, alone in a call of no frames before that block.
struct ClapChange {
  int frame;
  clap::clap_id id;
  double value;
  bool flush = false;
};

struct ClapRenderSetup {
  double sampleRate = 44100.0;
  uint32_t preparedBlockSize = 512;
  std::vector<int> callSizes = {512};
  bool inPlace = false;
  // -1: the plug-in's own program at creation.
  int program = -1;
  ProgramBy programBy = ProgramBy::PresetLoad;
  std::vector<ClapChange> changes;
  // After init and the program's choice, before activation.
  std::function<void(ClapHost&)> beforeStart;
  // After activation and start_processing, before the first block.
  std::function<void(ClapHost&)> afterStart;

  // The plan's rate, calls and placement, with its program chosen `by`.
  static ClapRenderSetup Like(const validation::RenderPlan& plan,
                              ProgramBy by = ProgramBy::PresetLoad);
};

template <class Sample>
validation::Render<Sample> RenderClap(const ClapRenderSetup& setup,
                                      const validation::StereoSignal& signal);

// The session state of the VST 2 library's bank for `program`: the bank
// chunk, then the record of the program played.
std::vector<uint8_t> SessionStateOf(int program);

// A VST 2 parameter's normalised value for a CLAP plain value, for the
// percentages (0..100) the comparisons move.
inline float PercentAsNormalized(double percent) { return static_cast<float>(percent / 100.0); }
