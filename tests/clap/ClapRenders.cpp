#include "ClapRenders.h"

#include <algorithm>
#include <string>

#include "core/IPlugBase.h"
#include "core/StateChunk.h"

using namespace validation;

namespace {

// The events of `changes` for the block [start, start + frames): the
// flushed ones or the others.
void CollectChanges(const std::vector<ClapChange>& changes, int start, int frames, bool flush,
                    InputEvents* events) {
  events->Clear();
  for (const ClapChange& change : changes) {
    if (change.flush == flush && change.frame >= start && change.frame < start + frames) {
      events->AddValue(static_cast<uint32_t>(change.frame - start), change.id, change.value);
    }
  }
}

template <class Sample>
void Fault(const std::string& what, Render<Sample>* render) {
  render->faults += what + "\n";
  ++render->faultCount;
}

// The program as the setup chooses it; false when the plug-in refused.
bool ChooseProgram(const ClapRenderSetup& setup, ClapHost& host) {
  if (setup.program < 0) return true;
  if (setup.programBy == ProgramBy::PresetLoad) return host.LoadProgram(setup.program);
  return host.LoadState(SessionStateOf(setup.program));
}

}  // namespace

ClapRenderSetup ClapRenderSetup::Like(const RenderPlan& plan, ProgramBy by) {
  ClapRenderSetup setup;
  setup.sampleRate = plan.sampleRate;
  setup.preparedBlockSize = static_cast<uint32_t>(plan.preparedBlockSize);
  setup.callSizes = plan.callSizes;
  setup.inPlace = plan.inPlace;
  setup.program = plan.program;
  setup.programBy = by;
  return setup;
}

std::vector<uint8_t> SessionStateOf(int program) {
  AEffect* effect = CreateEffect();
  if (effect == nullptr) return {};
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, program);
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effect, effGetChunk, 0, 0, &data);
  StateChunk chunk;
  const bool whole = size > 0 && data != nullptr && chunk.PutBytes(data, static_cast<int>(size)) &&
                     chunk.PutInt32(kPlayedProgramMagic) && chunk.PutInt32(program);
  Dispatch(effect, effClose);
  if (!whole) return {};
  return std::vector<uint8_t>(chunk.Data(), chunk.Data() + chunk.Size());
}

template <class Sample>
Render<Sample> RenderClap(const ClapRenderSetup& setup, const StereoSignal& signal) {
  Render<Sample> render;
  const int frames = signal.Frames();
  OnFreshThread([&] {
    ClapHost host;
    if (!host.Failure().empty()) return Fault(host.Failure(), &render);
    if (!ChooseProgram(setup, host)) return Fault("the program was not loaded", &render);
    if (setup.beforeStart) setup.beforeStart(host);
    if (!host.Start(setup.sampleRate, setup.preparedBlockSize)) {
      return Fault("the processing did not start", &render);
    }
    if (setup.afterStart) setup.afterStart(host);
    InputEvents events;
    int done = 0;
    for (size_t call = 0; done < frames; ++call) {
      const int n = std::min(setup.callSizes[call % setup.callSizes.size()], frames - done);
      CollectChanges(setup.changes, done, n, true, &events);
      if (events.Size() > 0 && host.Flush(&events) == clap::CLAP_PROCESS_ERROR) {
        Fault("a flush failed", &render);
      }
      CollectChanges(setup.changes, done, n, false, &events);
      GuardedCall<Sample>(signal, done, n, &render, setup.inPlace, [&](Sample** in, Sample** out) {
        const clap::clap_process_status status =
            host.Process(in, out, static_cast<uint32_t>(n), &events);
        if (status == clap::CLAP_PROCESS_ERROR) {
          Fault("block at " + std::to_string(done) + ": process answered " + std::to_string(status),
                &render);
        }
      });
      done += n;
    }
    const auto* latency = host.PluginExtension<clap::clap_plugin_latency>(clap::CLAP_EXT_LATENCY);
    render.latencyAfter = latency ? static_cast<int>(latency->get(host.Plugin())) : -1;
  });
  return render;
}

template Render<float> RenderClap<float>(const ClapRenderSetup&, const StereoSignal&);
template Render<double> RenderClap<double>(const ClapRenderSetup&, const StereoSignal&);
