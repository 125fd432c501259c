#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <lv2/atom/forge.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "core/IPlugBase.h"
#include "core/StateChunk.h"
#include "lv2/EditorMessages.h"

// The ports every plug-in of this binding has, in this order, before its
// control inputs: the stereo pair in and out, and the latency it reports.
// After the control inputs come the editor's message ports, in and out.
enum Lv2FixedPort : uint32_t {
  kPortInLeft = 0,
  kPortInRight = 1,
  kPortOutLeft = 2,
  kPortOutRight = 3,
  kPortLatency = 4,
  kFirstControlPort = 5,
};

// The editor's message ports, in and out, after controlCount control inputs.
constexpr uint32_t EditorInPort(size_t controlCount) {
  return kFirstControlPort + static_cast<uint32_t>(controlCount);
}
constexpr uint32_t EditorOutPort(size_t controlCount) { return EditorInPort(controlCount) + 1; }

// The LV2 port value of a parameter's plain value and back. Port values are
// single precision, so a value comes back to the parameter's own grid (its
// step): the settings a port carries are the double-precision values a
// program or a VST 2 host would set, not their nearest float.
double ParameterValueOfPort(const PlugParam& param, float portValue);

// The control input port of a parameter, or -1 for one no port carries.
int ControlPortOf(std::span<const int> controlParams, int paramIndex);

// Binds the plug-in base to an LV2 host: ports, the run callback and the
// state interface. Every call but run() and save() comes on the host's
// instantiation thread with no other call on the instance running; run()
// is the audio thread and never waits; save() may run beside run().
class IPlugLV2 : public IPlugBase {
 public:
  // controlParams: the parameter behind each control input port, in port order.
  IPlugLV2(const PlugIdentity& identity, std::span<const int> controlParams, double sampleRate,
           const LV2_Feature* const* features);

  void ConnectPort(uint32_t port, void* data);
  void Activate();
  void Deactivate();
  void Run(uint32_t frames);

  // The state needs the host's URID mapping; a host without one (a batch
  // renderer, say) gets the sound, with its settings on the ports only.
  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

  // The editor's message ports, after the control inputs.
  uint32_t EditorInPort() const { return ::EditorInPort(controlParams.size()); }
  uint32_t EditorOutPort() const { return ::EditorOutPort(controlParams.size()); }

  // The state's key and type; the value is the VST 2 bank chunk's bytes.
  static constexpr const char* kStateKey = "urn:ostrelle:kestravon#bank";
  static constexpr const char* kChunkType = LV2_ATOM__Chunk;

 protected:
  // The product's side of the editor's messages, on the audio thread under
  // the plug-in's lock. True when the message changed the settings played,
  // which the editor is then sent.
  virtual bool OnEditorMessage(const editor_messages::Message&) { return false; }
  // One value per parameter of the settings the editor should show (see
  // editor_messages::kSettings); returns the live A/B slot.
  virtual int EditorSettings(std::span<double> values) {
    std::fill(values.begin(), values.end(), 0.0);
    return 0;
  }

 private:
  void ReadHostFeatures(const LV2_Feature* const* features);
  // Keeps the editor's messages of this block until the lock is free.
  void QueueEditorMessages();
  void HandleEditorMessages();
  // Starts this block's reply sequence and, when asked for, adds the settings.
  void WriteEditorReplies();
  // Takes the host's control values that changed since the last block, when
  // no save() holds the plug-in's lock; otherwise the next block takes them.
  void ApplyControlPorts();

  std::vector<int> controlParams;
  std::vector<const float*> controlPorts;
  // The port value each parameter was last set from; NaN forces a set.
  std::vector<float> appliedValues;
  const float* audioIn[2] = {nullptr, nullptr};
  float* audioOut[2] = {nullptr, nullptr};
  float* latencyPort = nullptr;
  const LV2_Atom_Sequence* editorIn = nullptr;
  LV2_Atom_Sequence* editorOut = nullptr;
  LV2_URID_Map* map = nullptr;
  std::optional<editor_messages::Urids> urids;
  // Set up once: making one maps URIs, a call into the host the audio
  // thread must not make.
  LV2_Atom_Forge forge{};
  // Messages wait here when save() holds the lock; beyond this many a
  // block's further messages are dropped.
  std::array<editor_messages::Message, 64> pending{};
  int pendingCount = 0;
  bool settingsWanted = false;
  std::vector<double> settingsValues;
  int maxBlockLength = 0;
  StateChunk savedChunk;
};
