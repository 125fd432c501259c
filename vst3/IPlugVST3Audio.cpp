// The audio processor: its set-up, and each block with the host's parameter
// changes applied where the host placed them.
#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "core/ParameterRuns.h"
#include "vst3/IPlugVST3.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Block sizes beyond this are refused rather than allocated.
constexpr vst3::int32 kMaxBlockSize = 1 << 20;
// How long the processing rings after the input and the noise stop: the
// delay lines and the filters have died away well within it.
constexpr double kRingSeconds = 1.0;

bool IsStereo(vst3::SpeakerArrangement arrangement) {
  return arrangement == vst3::SpeakerArr::kStereo;
}

vst3::Sample32** Buffers32(vst3::AudioBusBuffers& bus) { return bus.channelBuffers32; }
vst3::Sample64** Buffers64(vst3::AudioBusBuffers& bus) { return bus.channelBuffers64; }

// The channels of the first bus, moved on by start frames; missing ones
// stay null, which the plug-in base takes as silence in and nothing out.
template <class Sample>
void ChannelsFrom(vst3::AudioBusBuffers* buses, vst3::int32 count,
                  Sample** (*buffersOf)(vst3::AudioBusBuffers&), int start, Sample* (&into)[2]) {
  into[0] = into[1] = nullptr;
  if (buses == nullptr || count < 1) return;
  Sample** channels = buffersOf(buses[0]);
  if (channels == nullptr) return;
  for (int c = 0; c < 2 && c < buses[0].numChannels; ++c) {
    into[c] = channels[c] != nullptr ? channels[c] + start : nullptr;
  }
}

}  // namespace

// One stereo bus in and one out is all this plug-in can do; any other
// arrangement is refused, and the host keeps asking for stereo.
vst3::tresult IPlugVST3::setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                            vst3::SpeakerArrangement* outputs,
                                            vst3::int32 numOuts) {
  if (numIns != 1 || numOuts != 1 || inputs == nullptr || outputs == nullptr) {
    return vst3::kResultFalse;
  }
  return IsStereo(inputs[0]) && IsStereo(outputs[0]) ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult IPlugVST3::getBusArrangement(vst3::BusDirection dir, vst3::int32 index,
                                           vst3::SpeakerArrangement& arr) {
  if (index != 0 || (dir != vst3::kInput && dir != vst3::kOutput)) return vst3::kInvalidArgument;
  arr = vst3::SpeakerArr::kStereo;
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::canProcessSampleSize(vst3::int32 symbolicSampleSize) {
  return symbolicSampleSize == vst3::kSample32 || symbolicSampleSize == vst3::kSample64
             ? vst3::kResultTrue
             : vst3::kResultFalse;
}

vst3::uint32 IPlugVST3::getLatencySamples() {
  Guard guard(Lock());
  return static_cast<vst3::uint32>(std::max(Latency(), 0));
}

// The rate, the block size and the processing's memory change only with
// the audio kept out; a set-up no processing can run with is refused and
// the last good one stays.
vst3::tresult IPlugVST3::setupProcessing(vst3::ProcessSetup& setup) {
  const bool rateUsable = std::isfinite(setup.sampleRate) && setup.sampleRate >= kMinSampleRate &&
                          setup.sampleRate <= kMaxSampleRate;
  const bool blockUsable = setup.maxSamplesPerBlock > 0 && setup.maxSamplesPerBlock <= kMaxBlockSize;
  if (!rateUsable || !blockUsable || canProcessSampleSize(setup.symbolicSampleSize) != vst3::kResultTrue) {
    return vst3::kResultFalse;
  }
  {
    Guard guard(Lock());
    AudioGate::HostHold hold(Gate());
    SetSampleRate(setup.sampleRate);
    PrepareBlockSize(setup.maxSamplesPerBlock);
    if (BlockSize() != setup.maxSamplesPerBlock) return vst3::kOutOfMemory;
    maxSamplesPerBlock.store(setup.maxSamplesPerBlock, std::memory_order_relaxed);
    OnReset();
  }
  TellHostOfChanges();
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::setProcessing(vst3::TBool /*state*/) { return vst3::kResultOk; }

// Endless while the noise sounds; otherwise the latency and the ringing of
// the delays and filters.
vst3::uint32 IPlugVST3::getTailSamples() {
  Guard guard(Lock());
  if (SoundsWithoutInput()) return vst3::kInfiniteTail;
  const double ring = std::ceil(SampleRate() * kRingSeconds);
  return static_cast<vst3::uint32>(std::max(Latency(), 0)) + static_cast<vst3::uint32>(ring);
}

vst3::tresult IPlugVST3::process(vst3::ProcessData& data) {
  const int frames = data.numSamples;
  if (frames < 0 || frames > maxSamplesPerBlock.load(std::memory_order_relaxed)) {
    return vst3::kInvalidArgument;
  }
  const bool wide = data.symbolicSampleSize == vst3::kSample64;
  if (!wide && data.symbolicSampleSize != vst3::kSample32) return vst3::kInvalidArgument;
  vst3::IParameterChanges* changes = data.inputParameterChanges;
  vst3::IParameterChanges* report = data.outputParameterChanges;
  queueCursor.fill(0);
  if (frames == 0) {
    // A flush: the changes are taken, and no audio is made.
    TakeChanges(changes, 0, std::numeric_limits<int>::max(), 0, report);
    return vst3::kResultOk;
  }
  for (int start = 0; start < frames;) {
    const int next = NextChangeRun(changes, start, frames);
    TakeChanges(changes, start, start + kParameterRun, frames, report);
    if (wide) {
      ProcessSegment(data, Buffers64, start, next - start);
    } else {
      ProcessSegment(data, Buffers32, start, next - start);
    }
    start = next;
  }
  for (vst3::int32 b = 0; b < data.numOutputs && data.outputs != nullptr; ++b) {
    data.outputs[b].silenceFlags = 0;
  }
  return vst3::kResultOk;
}

int IPlugVST3::NextChangeRun(vst3::IParameterChanges* changes, int runStart, int frames) {
  int next = frames;
  const vst3::int32 count = changes != nullptr ? changes->getParameterCount() : 0;
  for (vst3::int32 q = 0; q < count && q < kMaxQueues; ++q) {
    vst3::IParamValueQueue* queue = changes->getParameterData(q);
    if (queue == nullptr) continue;
    const vst3::int32 points = queue->getPointCount();
    for (vst3::int32 p = queueCursor[static_cast<size_t>(q)]; p < points; ++p) {
      vst3::int32 offset = 0;
      vst3::ParamValue value = 0.0;
      if (queue->getPoint(p, offset, value) != vst3::kResultOk) continue;
      const int run = RunStartOf(offset, frames);
      if (run > runStart) {
        next = std::min(next, run);
        break;
      }
    }
  }
  return next;
}

// Takes every queued point placed before runEnd: the newest value of each
// parameter wins. When the plug-in's lock is held elsewhere the values wait
// for a run that can take it.
void IPlugVST3::TakeChanges(vst3::IParameterChanges* changes, int runStart, int runEnd,
                            int frames, vst3::IParameterChanges* report) {
  const vst3::int32 count = changes != nullptr ? changes->getParameterCount() : 0;
  for (vst3::int32 q = 0; q < count && q < kMaxQueues; ++q) {
    vst3::IParamValueQueue* queue = changes->getParameterData(q);
    if (queue == nullptr) continue;
    const vst3::ParamID id = queue->getParameterId();
    const vst3::int32 points = queue->getPointCount();
    int& cursor = queueCursor[static_cast<size_t>(q)];
    double newest = std::numeric_limits<double>::quiet_NaN();
    for (; cursor < points; ++cursor) {
      vst3::int32 offset = 0;
      vst3::ParamValue value = 0.0;
      if (queue->getPoint(cursor, offset, value) != vst3::kResultOk) continue;
      if (RunStartOf(offset, frames) >= runEnd) break;
      if (std::isfinite(value)) newest = std::clamp(value, 0.0, 1.0);
    }
    if (std::isnan(newest)) continue;
    if (id == kProgramParamId) {
      held.HoldProgram(ProgramOfNormalized(newest));
    } else if (HostParam(id) != nullptr && !heldByEditor[id].load(std::memory_order_relaxed)) {
      held.HoldValue(static_cast<int>(id), newest);
    }
  }
  ApplyPending(report, runStart);
}

void IPlugVST3::ApplyPending(vst3::IParameterChanges* report, int offset) {
  if (!held.Any()) return;
  std::unique_lock<std::recursive_mutex> guard(Lock(), std::try_to_lock);
  if (!guard.owns_lock()) return;
  held.Release(
      [&](int program) {
        SwitchProgram(program);
        ReportAllValues(report, offset);
      },
      [&](int index, double normalized) { SetParameterFromHost(index, normalized); });
}

// After a program change the host is told every parameter's new value, so
// what it shows and records follows the program.
void IPlugVST3::ReportAllValues(vst3::IParameterChanges* report, int offset) {
  if (report == nullptr) return;
  for (int index : hostParams) {
    const vst3::ParamID id = static_cast<vst3::ParamID>(index);
    vst3::int32 queueIndex = 0;
    vst3::IParamValueQueue* queue = report->addParameterData(id, queueIndex);
    vst3::int32 pointIndex = 0;
    if (queue != nullptr) queue->addPoint(offset, GetParam(index)->ToNormalized(), pointIndex);
  }
}

template <class Sample>
void IPlugVST3::ProcessSegment(vst3::ProcessData& data,
                               Sample** (*buffersOf)(vst3::AudioBusBuffers&), int start,
                               int frames) {
  Sample* inputs[2];
  Sample* outputs[2];
  ChannelsFrom(data.inputs, data.numInputs, buffersOf, start, inputs);
  ChannelsFrom(data.outputs, data.numOutputs, buffersOf, start, outputs);
  if (outputs[0] == nullptr && outputs[1] == nullptr) return;
  Sample** in = inputs[0] != nullptr || inputs[1] != nullptr ? inputs : nullptr;
  if constexpr (sizeof(Sample) == sizeof(float)) {
    ProcessFloatReplacing(in, outputs, frames);
  } else {
    ProcessDoubleReplacing(in, outputs, frames);
  }
}
