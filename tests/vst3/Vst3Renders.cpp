#include "Vst3Renders.h"

#include <algorithm>
#include <string>
#include <type_traits>

using namespace validation;

namespace {

constexpr int kLastProgram = kNumPrograms - 1;

template <class Sample>
constexpr vst3::int32 SampleSize() {
  return std::is_same_v<Sample, float> ? vst3::kSample32 : vst3::kSample64;
}

// Puts the changes meant for the block [start, start + frames) into `list`:
// the flushed ones or the others.
void CollectChanges(const std::vector<Vst3Change>& changes, int start, int frames, bool flush,
                    ParameterChanges* list) {
  list->Clear();
  for (const Vst3Change& change : changes) {
    if (change.flush == flush && change.frame >= start && change.frame < start + frames) {
      list->Add(change.id, change.frame - start, change.value);
    }
  }
}

// One block through the host in guarded buffers, its output appended to the render.
template <class Sample>
void ProcessBlock(Vst3Host& host, const StereoSignal& signal, int start, int frames,
                  ParameterChanges* changes, Render<Sample>* render) {
  GuardedBuffer<Sample> buffers[4] = {GuardedBuffer<Sample>(frames), GuardedBuffer<Sample>(frames),
                                      GuardedBuffer<Sample>(frames), GuardedBuffer<Sample>(frames)};
  for (int s = 0; s < frames; ++s) {
    buffers[0].Data()[s] = static_cast<Sample>(signal.left[start + s]);
    buffers[1].Data()[s] = static_cast<Sample>(signal.right[start + s]);
  }
  Sample* inputs[2] = {buffers[0].Data(), buffers[1].Data()};
  Sample* outputs[2] = {buffers[2].Data(), buffers[3].Data()};
  const vst3::tresult result = host.Process(inputs, outputs, frames, changes);
  const std::string where = "block of " + std::to_string(frames) + " at " + std::to_string(start);
  if (result != vst3::kResultOk) {
    render->faults += where + ": process answered " + std::to_string(result) + "\n";
    ++render->faultCount;
  }
  for (const auto& buffer : buffers) {
    if (!buffer.GuardsIntact()) {
      render->faults += where + ": a guard zone was overwritten\n";
      ++render->faultCount;
    }
  }
  render->left.insert(render->left.end(), outputs[0], outputs[0] + frames);
  render->right.insert(render->right.end(), outputs[1], outputs[1] + frames);
}

}  // namespace

double ProgramValue(int program) { return static_cast<double>(program) / kLastProgram; }

Vst3RenderSetup Vst3RenderSetup::Like(const RenderPlan& plan) {
  Vst3RenderSetup setup;
  setup.sampleRate = plan.sampleRate;
  setup.preparedBlockSize = plan.preparedBlockSize;
  setup.callSizes = plan.callSizes;
  setup.changes.push_back({0, kProgramChangeId, ProgramValue(plan.program)});
  return setup;
}

template <class Sample>
Render<Sample> RenderVst3(const Vst3RenderSetup& setup, const StereoSignal& signal) {
  Render<Sample> render;
  const int frames = signal.Frames();
  OnFreshThread([&] {
    Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
    if (!host.Failure().empty()) {
      render.faults = host.Failure();
      ++render.faultCount;
      return;
    }
    if (setup.beforeStart) setup.beforeStart(host);
    const vst3::tresult started =
        host.Start(setup.sampleRate, setup.preparedBlockSize, SampleSize<Sample>());
    if (started != vst3::kResultOk) {
      render.faults = "the processing did not start: " + std::to_string(started);
      ++render.faultCount;
      return;
    }
    ParameterChanges changes;
    int done = 0;
    for (size_t call = 0; done < frames; ++call) {
      const int n = std::min(setup.callSizes[call % setup.callSizes.size()], frames - done);
      CollectChanges(setup.changes, done, n, true, &changes);
      if (changes.getParameterCount() > 0 && host.Flush(&changes) != vst3::kResultOk) {
        render.faults += "a flush was refused\n";
        ++render.faultCount;
      }
      CollectChanges(setup.changes, done, n, false, &changes);
      ProcessBlock(host, signal, done, n, &changes, &render);
      done += n;
    }
    render.latencyAfter = static_cast<int>(host.Processor()->getLatencySamples());
  });
  return render;
}

template Render<float> RenderVst3<float>(const Vst3RenderSetup&, const StereoSignal&);
template Render<double> RenderVst3<double>(const Vst3RenderSetup&, const StereoSignal&);
