#include "Vst2Renders.h"

#include <algorithm>

#include "product/TovraneParams.h"

using namespace validation;

const StereoSignal& Signal() {
  static const StereoSignal signal = TestSignal(kSignalFrames, kReferenceRate);
  return signal;
}

RenderPlan Plan(int program) {
  RenderPlan plan;
  plan.program = program;
  plan.sampleRate = static_cast<float>(kReferenceRate);
  plan.preparedBlockSize = kBlock;
  plan.callSizes = {kBlock};
  return plan;
}

template <class Sample>
Render<Sample> RenderVst2(const RenderPlan& plan, const StereoSignal& signal,
                          const std::vector<Vst2Action>& actions) {
  Render<Sample> render;
  const int frames = signal.Frames();
  std::vector<Vst2Action> pending = actions;
  std::stable_sort(pending.begin(), pending.end(),
                   [](const Vst2Action& a, const Vst2Action& b) { return a.frame < b.frame; });
  OnFreshThread([&] {
    AEffect* effect = CreateEffect();
    if (!effect) {
      render.faults = "no effect";
      return;
    }
    StartEffect(effect, plan.sampleRate, plan.preparedBlockSize, plan.program);
    size_t next = 0;
    int done = 0;
    for (size_t call = 0; done < frames; ++call) {
      const int end = done + std::min(plan.callSizes[call % plan.callSizes.size()], frames - done);
      while (done < end) {
        while (next < pending.size() && pending[next].frame <= done) pending[next++].act(effect);
        const int pieceEnd = next < pending.size() ? std::min(end, pending[next].frame) : end;
        ProcessCall(effect, signal, done, pieceEnd - done, &render, plan.inPlace);
        done = pieceEnd;
      }
    }
    render.latencyAfter = effect->initialDelay;
    Dispatch(effect, effClose);
  });
  return render;
}

Vst2Action SetParameterAt(int frame, int index, float value) {
  return {frame, [=](AEffect* e) { e->setParameter(e, index, value); }};
}

template <class Sample>
::testing::AssertionResult SameRender(const Render<Sample>& vst2, const Render<Sample>& other) {
  if (!vst2.faults.empty() || !other.faults.empty()) {
    return ::testing::AssertionFailure() << "VST 2: " << vst2.faults << "other: " << other.faults;
  }
  if (other.left.size() != vst2.left.size()) {
    return ::testing::AssertionFailure()
           << other.left.size() << " frames, not " << vst2.left.size();
  }
  const long at = FirstDifference(vst2, other);
  if (at < 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "first difference at sample " << at;
}

bool QuadMixIsOff(int program) {
  AEffect* effect = CreateEffect();
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetProgram, 0, program);
  const bool off = effect->getParameter(effect, kQuadMix) == 0.0f;
  Dispatch(effect, effClose);
  return off;
}

template Render<float> RenderVst2<float>(const RenderPlan&, const StereoSignal&,
                                         const std::vector<Vst2Action>&);
template Render<double> RenderVst2<double>(const RenderPlan&, const StereoSignal&,
                                           const std::vector<Vst2Action>&);
template ::testing::AssertionResult SameRender<float>(const Render<float>&, const Render<float>&);
template ::testing::AssertionResult SameRender<double>(const Render<double>&,
                                                       const Render<double>&);
