#include "lv2/IPlugLV2.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include "lv2/AtomWalk.h"
#include "lv2/Lv2Features.h"

namespace {

// Used when the host says nothing of its block length; longer runs are
// served in pieces of this.
constexpr int kDefaultBlockLength = 4096;
// Block lengths beyond this are refused rather than allocated.
constexpr int kMaxBlockLength = 1 << 20;
// The bank is a few kilobytes; anything far larger is not ours.
constexpr size_t kMaxStateBytes = 16 * 1024 * 1024;

}  // namespace

double ParameterValueOfPort(const PlugParam& param, float portValue) {
  return param.OnGrid(static_cast<double>(portValue));
}

int ControlPortOf(std::span<const int> controlParams, int paramIndex) {
  for (size_t i = 0; i < controlParams.size(); ++i) {
    if (controlParams[i] == paramIndex) return static_cast<int>(kFirstControlPort + i);
  }
  return -1;
}

IPlugLV2::IPlugLV2(const PlugIdentity& identity, std::span<const int> controlParams,
                   double sampleRate, const LV2_Feature* const* features)
    : IPlugBase(identity),
      controlParams(controlParams.begin(), controlParams.end()),
      controlPorts(controlParams.size(), nullptr),
      appliedValues(controlParams.size(), std::numeric_limits<float>::quiet_NaN()) {
  if (std::isfinite(sampleRate) && sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate) {
    SetSampleRate(sampleRate);
  }
  // Every port of the stereo pair is always connected in LV2.
  for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, true);
  for (int i = 0; i < NOutputs(); ++i) SetOutputConnected(i, true);
  ReadHostFeatures(features);
  if (map) {
    urids.emplace(map);
    lv2_atom_forge_init(&forge, map);
  }
  settingsValues.assign(static_cast<size_t>(NParams()), 0.0);
  PrepareBlockSize(maxBlockLength > 0 ? maxBlockLength : kDefaultBlockLength);
  ChangeLatency(0);
}

void IPlugLV2::ReadHostFeatures(const LV2_Feature* const* features) {
  map = static_cast<LV2_URID_Map*>(FindLv2Feature(features, LV2_URID__map));
  const auto* options =
      static_cast<const LV2_Options_Option*>(FindLv2Feature(features, LV2_OPTIONS__options));
  if (!map || !options) return;
  const LV2_URID maxLength = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID intType = map->map(map->handle, LV2_ATOM__Int);
  const void* value = FindLv2Option(options, maxLength, intType, sizeof(int32_t));
  if (!value) return;
  const int32_t length = *static_cast<const int32_t*>(value);
  if (length > 0 && length <= kMaxBlockLength) maxBlockLength = length;
}

void IPlugLV2::ConnectPort(uint32_t port, void* data) {
  switch (port) {
    case kPortInLeft:
    case kPortInRight:
      audioIn[port - kPortInLeft] = static_cast<const float*>(data);
      return;
    case kPortOutLeft:
    case kPortOutRight:
      audioOut[port - kPortOutLeft] = static_cast<float*>(data);
      return;
    case kPortLatency:
      latencyPort = static_cast<float*>(data);
      return;
    default:
      break;
  }
  if (port == EditorInPort()) {
    editorIn = static_cast<const LV2_Atom_Sequence*>(data);
    return;
  }
  if (port == EditorOutPort()) {
    editorOut = static_cast<LV2_Atom_Sequence*>(data);
    return;
  }
  const uint32_t control = port - kFirstControlPort;
  if (control < controlPorts.size()) controlPorts[control] = static_cast<const float*>(data);
}

// LV2 hosts activate a plug-in to start it afresh (some run it for a while
// before they load a session into it): the processing starts from rest at
// the host's rate, with its latency known before the first block.
void IPlugLV2::Activate() {
  RestartProcessing();
  OnReset();
  SetActive(true);
}

void IPlugLV2::Deactivate() { SetActive(false); }

void IPlugLV2::ApplyControlPorts() {
  std::unique_lock<std::recursive_mutex> guard(Lock(), std::try_to_lock);
  if (!guard.owns_lock()) return;
  // The values first: a gesture's end recorded in the same block records them.
  for (size_t i = 0; i < controlPorts.size(); ++i) {
    if (!controlPorts[i]) continue;
    const float portValue = *controlPorts[i];
    // Bitwise, so that a NaN the host sends is taken once, not every block.
    if (std::memcmp(&portValue, &appliedValues[i], sizeof portValue) == 0) continue;
    appliedValues[i] = portValue;
    PlugParam* param = GetParam(controlParams[i]);
    if (!param) continue;
    param->Set(ParameterValueOfPort(*param, portValue));
    OnParamChanged(controlParams[i]);
  }
  HandleEditorMessages();
}

void IPlugLV2::QueueEditorMessages() {
  if (!editorIn || !urids) return;
  // The host's buffer holds the sequence it describes; nothing else tells
  // how far it reaches.
  atom_walk::SequenceEvents events(editorIn, atom_walk::TotalSize(&editorIn->atom));
  while (const LV2_Atom_Event* event = events.Next()) {
    const editor_messages::Message message = editor_messages::Read(*urids, &event->body);
    if (message.kind == editor_messages::Kind::Unknown) continue;
    if (pendingCount < static_cast<int>(pending.size())) pending[pendingCount++] = message;
  }
}

void IPlugLV2::HandleEditorMessages() {
  for (int i = 0; i < pendingCount; ++i) {
    // Only what changed the settings is answered (a new editor asks for
    // them): an answer reaches the editor late, and must not move it back.
    const bool changed = OnEditorMessage(pending[i]);
    if (changed || pending[i].kind == editor_messages::Kind::Request) settingsWanted = true;
  }
  pendingCount = 0;
}

void IPlugLV2::WriteEditorReplies() {
  if (!editorOut || !urids) return;
  // The host gives the room in the header the sequence overwrites.
  const uint32_t capacity = editorOut->atom.size;
  lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(editorOut), capacity);
  LV2_Atom_Forge_Frame sequence;
  if (!lv2_atom_forge_sequence_head(&forge, &sequence, 0)) return;
  // Room for the whole reply or none of it: a message cut short would be
  // left in the sequence half written.
  const size_t replyBytes = 256 + sizeof(double) * settingsValues.size();
  if (settingsWanted && capacity >= replyBytes) {
    std::unique_lock<std::recursive_mutex> guard(Lock(), std::try_to_lock);
    if (guard.owns_lock()) {
      const int ab = EditorSettings(settingsValues);
      LV2_Atom_Forge_Frame object;
      if (lv2_atom_forge_frame_time(&forge, 0) &&
          lv2_atom_forge_object(&forge, &object, 0, urids->settings)) {
        const bool written =
            lv2_atom_forge_key(&forge, urids->values) &&
            lv2_atom_forge_vector(&forge, sizeof(double), urids->atomDouble,
                                  static_cast<uint32_t>(settingsValues.size()),
                                  settingsValues.data()) &&
            lv2_atom_forge_key(&forge, urids->abSelection) && lv2_atom_forge_int(&forge, ab);
        // Popped whatever happened, so the sequence's frame is on top again.
        lv2_atom_forge_pop(&forge, &object);
        if (written) settingsWanted = false;
      }
    }
  }
  lv2_atom_forge_pop(&forge, &sequence);
}

void IPlugLV2::Run(uint32_t frames) {
  QueueEditorMessages();
  ApplyControlPorts();
  WriteEditorReplies();
  if (latencyPort) *latencyPort = static_cast<float>(Latency());
  if (!audioOut[0] || !audioOut[1]) return;
  const int count = frames > static_cast<uint32_t>(INT32_MAX) ? INT32_MAX : static_cast<int>(frames);
  if (!audioIn[0] || !audioIn[1]) {
    std::memset(audioOut[0], 0, sizeof(float) * frames);
    std::memset(audioOut[1], 0, sizeof(float) * frames);
    return;
  }
  // The base reads the inputs into its own buffers before it writes any
  // output, so hosts may hand the same buffers in and out.
  float* inputs[2] = {const_cast<float*>(audioIn[0]), const_cast<float*>(audioIn[1])};
  ProcessFloatReplacing(inputs, audioOut, count);
}

LV2_State_Status IPlugLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle) {
  if (!map || !store) return LV2_STATE_ERR_NO_FEATURE;
  std::lock_guard<std::recursive_mutex> guard(Lock());
  savedChunk.Clear();
  if (!SaveChunk(&savedChunk, true)) return LV2_STATE_ERR_UNKNOWN;
  return store(handle, map->map(map->handle, kStateKey), savedChunk.Data(),
               static_cast<size_t>(savedChunk.Size()), map->map(map->handle, kChunkType),
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status IPlugLV2::RestoreState(LV2_State_Retrieve_Function retrieve,
                                        LV2_State_Handle handle) {
  if (!map || !retrieve) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(handle, map->map(map->handle, kStateKey), &size, &type, &flags);
  // A state without our key (a host's own preset of port values) leaves the
  // settings to the ports.
  if (!data) return LV2_STATE_SUCCESS;
  if (type != map->map(map->handle, kChunkType)) return LV2_STATE_ERR_BAD_TYPE;
  if (size == 0 || size > kMaxStateBytes) return LV2_STATE_ERR_UNKNOWN;
  StateChunk chunk;
  if (!chunk.PutBytes(data, static_cast<int>(size))) return LV2_STATE_ERR_UNKNOWN;
  const bool restored = RestoreChunk(&chunk, true);
  // The host sets the ports to the values it saved beside the state; the
  // next block takes them whatever they were before, so the plug-in plays
  // what the host shows.
  std::fill(appliedValues.begin(), appliedValues.end(), std::numeric_limits<float>::quiet_NaN());
  return restored ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}
