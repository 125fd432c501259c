// The object's identity and lifetime, the component's buses, its activation
// and its state.
#include "vst3/IPlugVST3.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "vst3/FixedText.h"
#include "vst3/StreamIO.h"
#include "vst3/Vst2SessionState.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// The prepared block size until the host sets up its own.
constexpr int kDefaultBlockSize = 1024;

template <class Interface>
bool Asks(const vst3::TUID requested) {
  return vst3::uidEquals(requested, Interface::iid);
}

bool IsAudioBus(vst3::MediaType type, vst3::int32 index) {
  return type == vst3::kAudio && index == 0;
}

}  // namespace

IPlugVST3::IPlugVST3(const PlugIdentity& identity, std::span<const int> hostParams,
                     int bypassParam)
    : IPlugBase(identity),
      hostParams(hostParams.begin(), hostParams.end()),
      bypassParam(bypassParam),
      heldByEditor(static_cast<size_t>(NParams())),
      held(NParams()) {
  // Both buses are active until the host says otherwise.
  for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, true);
  for (int i = 0; i < NOutputs(); ++i) SetOutputConnected(i, true);
  PrepareBlockSize(kDefaultBlockSize);
}

IPlugVST3::~IPlugVST3() {
  if (handler != nullptr) handler->release();
}

vst3::tresult IPlugVST3::queryInterface(const vst3::TUID requested, void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  *obj = nullptr;
  if (Asks<vst3::FUnknown>(requested) || Asks<vst3::IPluginBase>(requested) ||
      Asks<vst3::IComponent>(requested)) {
    *obj = static_cast<vst3::IComponent*>(this);
  } else if (Asks<vst3::IAudioProcessor>(requested)) {
    *obj = static_cast<vst3::IAudioProcessor*>(this);
  } else if (Asks<vst3::IProcessContextRequirements>(requested)) {
    *obj = static_cast<vst3::IProcessContextRequirements*>(this);
  } else if (Asks<vst3::IEditController>(requested)) {
    *obj = static_cast<vst3::IEditController*>(this);
  } else if (Asks<vst3::IEditController2>(requested)) {
    *obj = static_cast<vst3::IEditController2*>(this);
  } else if (Asks<vst3::IUnitInfo>(requested)) {
    *obj = static_cast<vst3::IUnitInfo*>(this);
  } else {
    return vst3::kNoInterface;
  }
  addRef();
  return vst3::kResultOk;
}

vst3::uint32 IPlugVST3::addRef() { return ++references; }

vst3::uint32 IPlugVST3::release() {
  vst3::uint32 count = references.load();
  // A host releasing more than it holds must not wrap the count around.
  while (count > 0 && !references.compare_exchange_weak(count, count - 1)) {
  }
  if (count != 1) return count > 0 ? count - 1 : 0;
  // The lock and the gate live inside the object: wait for any call still
  // running, an audio callback included, let both go, then destroy.
  {
    Guard guard(Lock());
    AudioGate::HostHold hold(Gate());
  }
  delete this;
  return 0;
}

// The host's context offers nothing this plug-in needs.
vst3::tresult IPlugVST3::initialize(vst3::FUnknown* /*context*/) { return vst3::kResultOk; }

vst3::tresult IPlugVST3::terminate() {
  setComponentHandler(nullptr);
  return vst3::kResultOk;
}

// The host's handler is held from the controller's side until replaced or
// the plug-in is terminated.
vst3::tresult IPlugVST3::setComponentHandler(vst3::IComponentHandler* newHandler) {
  if (newHandler == handler) return vst3::kResultOk;
  if (newHandler != nullptr) newHandler->addRef();
  if (handler != nullptr) handler->release();
  handler = newHandler;
  return vst3::kResultOk;
}

// The controller is this object: there is no class of its own to name.
vst3::tresult IPlugVST3::getControllerClassId(vst3::TUID classId) {
  if (classId != nullptr) {
    for (int i = 0; i < 16; ++i) classId[i] = 0;
  }
  return vst3::kResultFalse;
}

vst3::tresult IPlugVST3::setIoMode(vst3::IoMode /*mode*/) { return vst3::kResultOk; }

vst3::int32 IPlugVST3::getBusCount(vst3::MediaType type, vst3::BusDirection dir) {
  if (type != vst3::kAudio) return 0;
  return (dir == vst3::kInput || dir == vst3::kOutput) ? 1 : 0;
}

vst3::tresult IPlugVST3::getBusInfo(vst3::MediaType type, vst3::BusDirection dir,
                                    vst3::int32 index, vst3::BusInfo& bus) {
  if (!IsAudioBus(type, index) || (dir != vst3::kInput && dir != vst3::kOutput)) {
    return vst3::kInvalidArgument;
  }
  bus.mediaType = vst3::kAudio;
  bus.direction = dir;
  bus.channelCount = dir == vst3::kInput ? NInputs() : NOutputs();
  kestravon_vst3::CopyText(bus.name, dir == vst3::kInput ? "Input" : "Output");
  bus.busType = vst3::kMain;
  bus.flags = vst3::BusInfo::kDefaultActive;
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::getRoutingInfo(vst3::RoutingInfo&, vst3::RoutingInfo&) {
  return vst3::kNotImplemented;
}

// An inactive input bus is heard as silence; an inactive output bus gets no
// buffers from the host, which the processing already allows for.
vst3::tresult IPlugVST3::activateBus(vst3::MediaType type, vst3::BusDirection dir,
                                     vst3::int32 index, vst3::TBool state) {
  if (!IsAudioBus(type, index) || (dir != vst3::kInput && dir != vst3::kOutput)) {
    return vst3::kInvalidArgument;
  }
  Guard guard(Lock());
  AudioGate::HostHold hold(Gate());
  if (dir == vst3::kInput) {
    for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, state != 0);
  }
  return vst3::kResultOk;
}

// Hosts deactivate and activate a plug-in to start it afresh: the
// processing starts from rest at the rate set up, with its latency known
// before the first block.
vst3::tresult IPlugVST3::setActive(vst3::TBool state) {
  if (state != 0) RestartProcessing();
  {
    Guard guard(Lock());
    AudioGate::HostHold hold(Gate());
    if (state != 0) OnReset();
    SetActive(state != 0);
    active = state != 0;
  }
  TellHostOfChanges();
  return vst3::kResultOk;
}

// The state is the session chunk: the VST 2 bank chunk, then the program
// played. A state that cannot be read whole changes nothing.
vst3::tresult IPlugVST3::SetComponentStateFrom(vst3::IBStream* state) {
  if (state == nullptr) return vst3::kInvalidArgument;
  Guard guard(Lock());
  stateChunk.Clear();
  if (!kestravon_vst3::ReadToEnd(*state, &stateChunk) || stateChunk.Size() == 0) {
    return vst3::kResultFalse;
  }
  const std::span<const uint8_t> bytes(stateChunk.Data(), static_cast<size_t>(stateChunk.Size()));
  if (kestravon_vst3::LooksLikeVst2Session(bytes)) {
    return RestoreVst2Session(bytes) ? vst3::kResultOk : vst3::kResultFalse;
  }
  return RestoreSessionChunk(&stateChunk) ? vst3::kResultOk : vst3::kResultFalse;
}

// A session saved with the VST 2 plug-in: its bank or program chunk as the
// plug-in's own, or the parameter values the host read from it, as that
// plug-in takes them. Only a state of this plug-in with every value there
// is taken; anything else changes nothing. Under the lock.
bool IPlugVST3::RestoreVst2Session(std::span<const uint8_t> bytes) {
  kestravon_vst3::Vst2SessionState session;
  if (!kestravon_vst3::ReadVst2Session(bytes, &session)) return false;
  if (session.isBank) {
    const FxBank& bank = session.bank;
    if (bank.fxId != UniqueId()) return false;
    if (bank.isChunk) return RestoreOwnChunk(bank.chunk, true);
    if (bank.numPrograms != NPresets()) return false;
    for (const FxProgram& program : bank.programs) {
      if (!HoldsEveryValue(program)) return false;
    }
    for (int p = 0; p < NPresets(); ++p) {
      LoadPreset(p);
      SetHostParamsFrom(bank.programs[static_cast<size_t>(p)]);
      ModifyCurrentPreset(bank.programs[static_cast<size_t>(p)].name.c_str());
    }
    LoadPreset(std::clamp(bank.currentProgram, 0, NPresets() - 1));
    return true;
  }
  const FxProgram& program = session.program;
  if (program.fxId != UniqueId()) return false;
  if (program.isChunk) return RestoreOwnChunk(program.chunk, false);
  if (!HoldsEveryValue(program)) return false;
  SetHostParamsFrom(program);
  ModifyCurrentPreset(program.name.c_str());
  OnStateRestored();
  return true;
}

bool IPlugVST3::RestoreOwnChunk(const std::vector<uint8_t>& bytes, bool isBank) {
  StateChunk chunk;
  if (bytes.empty() || bytes.size() > static_cast<size_t>(kestravon_vst3::kMaxStateBytes) ||
      !chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size()))) {
    return false;
  }
  return RestoreChunk(&chunk, isBank);
}

bool IPlugVST3::HoldsEveryValue(const FxProgram& program) const {
  if (program.isChunk || program.numParams != NParams()) return false;
  if (program.params.size() != static_cast<size_t>(NParams())) return false;
  return std::all_of(program.params.begin(), program.params.end(),
                     [](float v) { return std::isfinite(v) && v >= 0.0f && v <= 1.0f; });
}

// The values a host read from the VST 2 plug-in are its normalised ones in
// single precision, brought back to each parameter's grid; only the
// settings a host sees are set, never the editor's commands.
void IPlugVST3::SetHostParamsFrom(const FxProgram& program) {
  for (int index : hostParams) {
    const double normalized = program.params[static_cast<size_t>(index)];
    SetParameterValueFromHost(index, GetParam(index)->FromNormalized(normalized));
  }
}

vst3::tresult IPlugVST3::WriteComponentStateTo(vst3::IBStream* state) {
  if (state == nullptr) return vst3::kInvalidArgument;
  Guard guard(Lock());
  stateChunk.Clear();
  if (!SaveSessionChunk(&stateChunk)) return vst3::kInternalError;
  return kestravon_vst3::WriteAll(*state, stateChunk.Data(), stateChunk.Size())
             ? vst3::kResultOk
             : vst3::kResultFalse;
}

// The component has already taken the state the host hands the controller:
// they are one object.
vst3::tresult IPlugVST3::setComponentState(vst3::IBStream* /*state*/) { return vst3::kResultOk; }

void IPlugVST3::ChangeLatency(int samples) {
  if (samples != Latency()) latencyChanged.store(true, std::memory_order_relaxed);
  IPlugBase::ChangeLatency(samples);
}

void IPlugVST3::TellHostOfChanges() {
  if (!latencyChanged.exchange(false, std::memory_order_relaxed)) return;
  if (handler != nullptr) handler->restartComponent(vst3::kLatencyChanged);
}
