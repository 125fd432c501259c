#pragma once
// The VST 2 library's renders of the validation signal, which the other
// formats' renders are held to bit for bit: the signal, the usual plan, the
// host's actions at given frames, and the comparison.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "PluginHost.h"

// The signal the renders compare: validation's at its reference rate.
inline constexpr int kSignalFrames = 8192;
const validation::StereoSignal& Signal();
// The program at the reference rate in blocks of 512 frames, the VST 2 library's usual plan.
inline constexpr int kBlock = 512;
validation::RenderPlan Plan(int program);

// Something the VST 2 host does to the effect just before frame `frame` is
// processed; a call that spans the frame is split there.
struct Vst2Action {
  int frame;
  std::function<void(AEffect*)> act;
};

template <class Sample>
validation::Render<Sample> RenderVst2(const validation::RenderPlan& plan,
                                      const validation::StereoSignal& signal,
                                      const std::vector<Vst2Action>& actions = {});

// The VST 2 host setting parameter `index` to the normalised `value` at `frame`.
Vst2Action SetParameterAt(int frame, int index, float value);

// The same sound, or where it first differs, and whatever went wrong at the
// buffers of either render.
template <class Sample>
::testing::AssertionResult SameRender(const validation::Render<Sample>& vst2,
                                      const validation::Render<Sample>& other);

// Whether the program leaves the quad stage out, which alone follows the host's blocks.
bool QuadMixIsOff(int program);
