// The plug-in record's life, its audio ports and its processing, with the
// host's parameter events taken where the host placed them.
#include "clap/IPlugCLAP.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "clap/ClapExtensions.h"
#include "core/ParameterRuns.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Blocks longer than this are refused rather than allocated.
constexpr uint32_t kMaxFrames = 1u << 20;
// How long the processing rings after the input and the noise stop: the
// delay lines and the filters have died away well within it.
constexpr double kRingSeconds = 1.0;
// What CLAP's tail takes for a tail that never ends.
constexpr uint32_t kEndlessTail = INT32_MAX;

const clap::clap_event_header* EventAt(const clap::clap_input_events* in, uint32_t index) {
  return in != nullptr && in->get != nullptr ? in->get(in, index) : nullptr;
}

uint32_t EventCount(const clap::clap_input_events* in) {
  return in != nullptr && in->size != nullptr ? in->size(in) : 0;
}

// The events of the core space that carry a whole parameter value.
bool IsParamValue(const clap::clap_event_header& event) {
  return event.space_id == clap::CLAP_CORE_EVENT_SPACE_ID &&
         event.type == clap::CLAP_EVENT_PARAM_VALUE &&
         event.size >= sizeof(clap::clap_event_param_value);
}

}  // namespace

IPlugCLAP::IPlugCLAP(const PlugIdentity& identity, std::span<const int> hostParams,
                     int bypassParam, const clap::clap_plugin_descriptor* descriptor,
                     const clap::clap_host* clapHost)
    : IPlugBase(identity),
      host(clapHost),
      hostParams(hostParams.begin(), hostParams.end()),
      bypassParam(bypassParam),
      held(NParams()),
      gestureOpen(static_cast<size_t>(NParams()), false) {
  for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, true);
  for (int i = 0; i < NOutputs(); ++i) SetOutputConnected(i, true);
  FillPluginRecord(descriptor);
}

IPlugCLAP::~IPlugCLAP() { GuiDestroy(); }

IPlugCLAP* IPlugCLAP::From(const clap::clap_plugin* record) {
  return record != nullptr ? static_cast<IPlugCLAP*>(record->plugin_data) : nullptr;
}

void IPlugCLAP::FillPluginRecord(const clap::clap_plugin_descriptor* descriptor) {
  plugin = clap_extensions::PluginRecord();
  plugin.desc = descriptor;
  plugin.plugin_data = this;
}

bool IPlugCLAP::Init() {
  host.LookUpExtensions();
  return true;
}

// The rate, the block size and the processing's memory change only here,
// on the main thread with nothing processing; the processing starts from
// rest, with its latency known to the host before the first block.
bool IPlugCLAP::Activate(double sampleRate, uint32_t /*minFrames*/, uint32_t maxFramesCount) {
  if (!std::isfinite(sampleRate) || sampleRate < kMinSampleRate || sampleRate > kMaxSampleRate ||
      maxFramesCount == 0 || maxFramesCount > kMaxFrames) {
    return false;
  }
  RestartProcessing();
  const int latencyBefore = Latency();
  {
    Guard guard(Lock());
    AudioGate::HostHold hold(Gate());
    SetSampleRate(sampleRate);
    PrepareBlockSize(static_cast<int>(maxFramesCount));
    if (BlockSize() != static_cast<int>(maxFramesCount)) return false;
    for (size_t c = 0; c < constant32.size(); ++c) {
      constant32[c].assign(maxFramesCount, 0.0f);
      constant64[c].assign(maxFramesCount, 0.0);
    }
    OnReset();
    SetActive(true);
    maxFrames.store(maxFramesCount, std::memory_order_relaxed);
    active = true;
  }
  PrepareRestart();
  if (Latency() != latencyBefore) host.LatencyChanged();
  return true;
}

void IPlugCLAP::Deactivate() {
  Guard guard(Lock());
  SetActive(false);
  active = false;
  maxFrames.store(0, std::memory_order_relaxed);
}

// On the audio thread: the processing made ahead takes over, and the host
// is asked for a main-thread call to make the next one.
void IPlugCLAP::Reset() {
  AudioGate::AudioPass pass(Gate());
  if (pass && RestartFromPrepared()) host.RequestCallback();
}

void IPlugCLAP::OnMainThread() { PrepareRestart(); }

uint32_t IPlugCLAP::AudioPortCount(bool /*isInput*/) const { return 1; }

bool IPlugCLAP::AudioPortInfo(uint32_t index, bool isInput, clap::clap_audio_port_info* info) const {
  if (index != 0 || info == nullptr) return false;
  *info = clap::clap_audio_port_info{};
  info->id = 0;
  std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Input" : "Output");
  // Both ports in one sample size: the processing converts a block's
  // inputs and outputs together.
  info->flags = clap::CLAP_AUDIO_PORT_IS_MAIN | clap::CLAP_AUDIO_PORT_SUPPORTS_64BITS |
                clap::CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
  info->channel_count = static_cast<uint32_t>(isInput ? NInputs() : NOutputs());
  info->port_type = clap::CLAP_PORT_STEREO;
  // The input and the output may share their buffers.
  info->in_place_pair = 0;
  return true;
}

uint32_t IPlugCLAP::LatencyFrames() {
  Guard guard(Lock());
  return static_cast<uint32_t>(std::max(Latency(), 0));
}

uint32_t IPlugCLAP::TailFrames() {
  Guard guard(Lock());
  if (SoundsWithoutInput()) return kEndlessTail;
  const double ring = std::ceil(SampleRate() * kRingSeconds);
  return static_cast<uint32_t>(std::max(Latency(), 0)) + static_cast<uint32_t>(ring);
}

clap::clap_process_status IPlugCLAP::Process(const clap::clap_process& process) {
  const uint32_t frames = process.frames_count;
  if (frames > maxFrames.load(std::memory_order_relaxed)) return clap::CLAP_PROCESS_ERROR;
  SendGestures(process.out_events);
  const bool wide = process.audio_outputs_count > 0 && process.audio_outputs != nullptr &&
                    process.audio_outputs[0].data64 != nullptr;
  if (frames == 0) {
    Flush(process.in_events, nullptr);
    return clap::CLAP_PROCESS_CONTINUE;
  }
  const uint32_t count = EventCount(process.in_events);
  const int blockFrames = static_cast<int>(frames);
  uint32_t next = 0;
  for (int start = 0; start < blockFrames;) {
    // The events that fall in this run, and any held back before.
    for (; next < count; ++next) {
      const clap::clap_event_header* event = EventAt(process.in_events, next);
      if (event == nullptr) continue;
      if (RunStartOf(static_cast<int>(event->time), blockFrames) > start) break;
      TakeEvent(*event);
    }
    ReleaseHeld();
    int end = blockFrames;
    if (next < count) {
      const clap::clap_event_header* event = EventAt(process.in_events, next);
      if (event != nullptr) end = RunStartOf(static_cast<int>(event->time), blockFrames);
    }
    if (wide) {
      ProcessSegment<double>(process, start, end - start);
    } else {
      ProcessSegment<float>(process, start, end - start);
    }
    start = end;
  }
  for (uint32_t b = 0; b < process.audio_outputs_count && process.audio_outputs != nullptr; ++b) {
    process.audio_outputs[b].constant_mask = 0;
  }
  // While the hiss or the crackle sounds the plug-in is never quiet; else
  // the host may let it sleep once its output (its tail included) is.
  return SoundedOnItsOwn() ? clap::CLAP_PROCESS_CONTINUE : clap::CLAP_PROCESS_CONTINUE_IF_NOT_QUIET;
}

template <class Sample>
Sample* IPlugCLAP::InputChannel(const clap::clap_audio_buffer& bus, uint32_t channel, int start,
                                int frames) {
  Sample* const* data;
  if constexpr (sizeof(Sample) == sizeof(float)) {
    data = bus.data32;
  } else {
    data = bus.data64;
  }
  if (data == nullptr || channel >= bus.channel_count || data[channel] == nullptr) return nullptr;
  if (channel >= 64 || (bus.constant_mask & (uint64_t{1} << channel)) == 0) return data[channel];
  // A constant channel holds its value in its first sample only.
  auto& scratch = [&]() -> std::vector<Sample>& {
    if constexpr (sizeof(Sample) == sizeof(float)) {
      return constant32[channel];
    } else {
      return constant64[channel];
    }
  }();
  // Only the piece of the block being processed is written out.
  std::fill(scratch.begin() + start, scratch.begin() + start + frames, data[channel][0]);
  return scratch.data();
}

template <class Sample>
void IPlugCLAP::ProcessSegment(const clap::clap_process& process, int start, int frames) {
  if (process.audio_outputs_count < 1 || process.audio_outputs == nullptr) return;
  const clap::clap_audio_buffer& out = process.audio_outputs[0];
  Sample* const* outData;
  if constexpr (sizeof(Sample) == sizeof(float)) {
    outData = out.data32;
  } else {
    outData = out.data64;
  }
  if (outData == nullptr) return;
  Sample* outputs[2] = {nullptr, nullptr};
  for (uint32_t c = 0; c < 2 && c < out.channel_count; ++c) {
    outputs[c] = outData[c] != nullptr ? outData[c] + start : nullptr;
  }
  Sample* inputs[2] = {nullptr, nullptr};
  if (process.audio_inputs_count > 0 && process.audio_inputs != nullptr) {
    for (uint32_t c = 0; c < 2; ++c) {
      Sample* channel = InputChannel<Sample>(process.audio_inputs[0], c, start, frames);
      inputs[c] = channel != nullptr ? channel + start : nullptr;
    }
  }
  Sample** in = inputs[0] != nullptr || inputs[1] != nullptr ? inputs : nullptr;
  if constexpr (sizeof(Sample) == sizeof(float)) {
    ProcessFloatReplacing(in, outputs, frames);
  } else {
    ProcessDoubleReplacing(in, outputs, frames);
  }
}

void IPlugCLAP::TakeEvent(const clap::clap_event_header& event) {
  if (!IsParamValue(event)) return;
  const auto& change = reinterpret_cast<const clap::clap_event_param_value&>(event);
  if (HostParam(change.param_id) == nullptr || !std::isfinite(change.value)) return;
  held.HoldValue(static_cast<int>(change.param_id), change.value);
}

void IPlugCLAP::ReleaseHeld() {
  if (!held.Any()) return;
  std::unique_lock<std::recursive_mutex> guard(Lock(), std::try_to_lock);
  if (!guard.owns_lock()) return;
  held.Release([](int) {}, [&](int index, double value) { SetParameterValueFromHost(index, value); });
}

// The editor's gestures reach the host from here, at the block's start.
void IPlugCLAP::SendGestures(const clap::clap_output_events* out) {
  if (out == nullptr || out->try_push == nullptr) return;
  Gesture gesture;
  while (gestures.Pop(&gesture)) {
    if (gesture.kind == Gesture::Kind::Value) {
      clap::clap_event_param_value event{};
      event.header = {sizeof event, 0, clap::CLAP_CORE_EVENT_SPACE_ID,
                      clap::CLAP_EVENT_PARAM_VALUE, 0};
      event.param_id = gesture.param;
      event.note_id = -1;
      event.port_index = event.channel = event.key = -1;
      event.value = gesture.value;
      out->try_push(out, &event.header);
    } else {
      clap::clap_event_param_gesture event{};
      const uint16_t type = gesture.kind == Gesture::Kind::Begin
                                ? clap::CLAP_EVENT_PARAM_GESTURE_BEGIN
                                : clap::CLAP_EVENT_PARAM_GESTURE_END;
      event.header = {sizeof event, 0, clap::CLAP_CORE_EVENT_SPACE_ID, type, 0};
      event.param_id = gesture.param;
      out->try_push(out, &event.header);
    }
  }
}

// Parameter events outside process(): on the audio thread while active, on
// the main thread otherwise; the same run as a block of no frames.
void IPlugCLAP::Flush(const clap::clap_input_events* in, const clap::clap_output_events* out) {
  const uint32_t count = EventCount(in);
  for (uint32_t i = 0; i < count; ++i) {
    if (const clap::clap_event_header* event = EventAt(in, i)) TakeEvent(*event);
  }
  ReleaseHeld();
  SendGestures(out);
}

// The editor's gestures, on the main thread and outside the lock: they wait
// for the host's next process() or flush, which the host is asked for.
// Hosts see every value inside a gesture: a value the editor sets outside
// one (a double-click back to the default, a turn of the wheel) is sent as
// a gesture of its own, and a gesture's end closes only a gesture the host
// was told of.
void IPlugCLAP::BeginParameterEdit(int index) {
  if (!IsHostParam(index)) return;
  gestureOpen[static_cast<size_t>(index)] = true;
  gestures.Push({Gesture::Kind::Begin, static_cast<uint32_t>(index), 0.0});
  host.RequestFlush();
}

void IPlugCLAP::NotifyParamValue(int index, double normalized) {
  if (!IsHostParam(index)) return;
  const bool inGesture = gestureOpen[static_cast<size_t>(index)];
  if (!inGesture) BeginParameterEdit(index);
  const double value = GetParam(index)->ValueOfNormalized(normalized);
  gestures.Push({Gesture::Kind::Value, static_cast<uint32_t>(index), value});
  host.RequestFlush();
  if (!inGesture) EndParameterEdit(index);
}

void IPlugCLAP::EndParameterEdit(int index) {
  if (!IsHostParam(index) || !gestureOpen[static_cast<size_t>(index)]) return;
  gestureOpen[static_cast<size_t>(index)] = false;
  gestures.Push({Gesture::Kind::End, static_cast<uint32_t>(index), 0.0});
  host.RequestFlush();
  host.MarkDirty();
}
