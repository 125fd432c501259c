#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "core/FxFiles.h"
#include "core/HeldHostChanges.h"
#include "core/IPlugBase.h"
#include "core/StateChunk.h"
#include "vst3/SeparateStates.h"
#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {
class Vst3EditorView;
}

// Binds the plug-in base to a VST 3 host. One object is both the processing
// component and its edit controller, so the settings, the programs, the undo
// history and the editor live in one place, as they do in the VST 2 plug-in;
// getControllerClassId names no other class, and hosts ask this object for
// its controller interfaces.
//
// Threads: every call but process() comes on the host's main thread and
// takes the plug-in's lock; process() is the audio thread, passes the audio
// gate and only tries the lock to take the host's parameter changes (what it
// cannot take then waits for a later run). Calls into the host are made
// outside the lock.
class IPlugVST3 : public IPlugBase,
                  public kestravon_vst3::ComponentWithState,
                  public vst3::IAudioProcessor,
                  public vst3::IProcessContextRequirements,
                  public kestravon_vst3::EditControllerWithState,
                  public vst3::IEditController2,
                  public vst3::IUnitInfo {
 public:
  // hostParams: the parameters hosts see, in the order they are listed; a
  // parameter's VST 3 identifier is its index. bypassParam: the one among
  // them whose value 1 means the processing is bypassed, or -1.
  IPlugVST3(const PlugIdentity& identity, std::span<const int> hostParams, int bypassParam);
  ~IPlugVST3() override;

  // The program list's parameter, which hosts set to load a program.
  static constexpr vst3::ParamID kProgramParamId = 1000;
  static constexpr vst3::ProgramListID kProgramListId = 1;

  // FUnknown
  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override;
  vst3::uint32 KESTRAVON_VST3_CALL release() override;

  // IPluginBase, for the component and the controller alike.
  vst3::tresult KESTRAVON_VST3_CALL initialize(vst3::FUnknown* context) override;
  vst3::tresult KESTRAVON_VST3_CALL terminate() override;

  // IComponent
  vst3::tresult KESTRAVON_VST3_CALL getControllerClassId(vst3::TUID classId) override;
  vst3::tresult KESTRAVON_VST3_CALL setIoMode(vst3::IoMode mode) override;
  vst3::int32 KESTRAVON_VST3_CALL getBusCount(vst3::MediaType type, vst3::BusDirection dir) override;
  vst3::tresult KESTRAVON_VST3_CALL getBusInfo(vst3::MediaType type, vst3::BusDirection dir,
                                               vst3::int32 index, vst3::BusInfo& bus) override;
  vst3::tresult KESTRAVON_VST3_CALL getRoutingInfo(vst3::RoutingInfo& inInfo,
                                                   vst3::RoutingInfo& outInfo) override;
  vst3::tresult KESTRAVON_VST3_CALL activateBus(vst3::MediaType type, vst3::BusDirection dir,
                                                vst3::int32 index, vst3::TBool state) override;
  vst3::tresult KESTRAVON_VST3_CALL setActive(vst3::TBool state) override;

  // IAudioProcessor
  vst3::tresult KESTRAVON_VST3_CALL setBusArrangements(vst3::SpeakerArrangement* inputs,
                                                       vst3::int32 numIns,
                                                       vst3::SpeakerArrangement* outputs,
                                                       vst3::int32 numOuts) override;
  vst3::tresult KESTRAVON_VST3_CALL getBusArrangement(vst3::BusDirection dir, vst3::int32 index,
                                                      vst3::SpeakerArrangement& arr) override;
  vst3::tresult KESTRAVON_VST3_CALL canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
  vst3::uint32 KESTRAVON_VST3_CALL getLatencySamples() override;
  vst3::tresult KESTRAVON_VST3_CALL setupProcessing(vst3::ProcessSetup& setup) override;
  vst3::tresult KESTRAVON_VST3_CALL setProcessing(vst3::TBool state) override;
  vst3::tresult KESTRAVON_VST3_CALL process(vst3::ProcessData& data) override;
  vst3::uint32 KESTRAVON_VST3_CALL getTailSamples() override;

  // IProcessContextRequirements: the processing needs nothing of the transport.
  vst3::uint32 KESTRAVON_VST3_CALL getProcessContextRequirements() override { return 0; }

  // IEditController
  vst3::tresult KESTRAVON_VST3_CALL setComponentState(vst3::IBStream* state) override;
  vst3::int32 KESTRAVON_VST3_CALL getParameterCount() override;
  vst3::tresult KESTRAVON_VST3_CALL getParameterInfo(vst3::int32 paramIndex,
                                                     vst3::ParameterInfo& info) override;
  vst3::tresult KESTRAVON_VST3_CALL getParamStringByValue(vst3::ParamID id,
                                                          vst3::ParamValue valueNormalized,
                                                          vst3::String128 string) override;
  vst3::tresult KESTRAVON_VST3_CALL getParamValueByString(vst3::ParamID id, vst3::TChar* string,
                                                          vst3::ParamValue& valueNormalized) override;
  vst3::ParamValue KESTRAVON_VST3_CALL normalizedParamToPlain(vst3::ParamID id,
                                                              vst3::ParamValue valueNormalized) override;
  vst3::ParamValue KESTRAVON_VST3_CALL plainParamToNormalized(vst3::ParamID id,
                                                              vst3::ParamValue plainValue) override;
  vst3::ParamValue KESTRAVON_VST3_CALL getParamNormalized(vst3::ParamID id) override;
  vst3::tresult KESTRAVON_VST3_CALL setParamNormalized(vst3::ParamID id,
                                                       vst3::ParamValue value) override;
  vst3::tresult KESTRAVON_VST3_CALL setComponentHandler(vst3::IComponentHandler* handler) override;
  vst3::IPlugView* KESTRAVON_VST3_CALL createView(vst3::FIDString name) override;

  // IEditController2: the editor has its own way with knobs, and no help or
  // about box of the host's kind.
  vst3::tresult KESTRAVON_VST3_CALL setKnobMode(vst3::KnobMode) override { return vst3::kResultFalse; }
  vst3::tresult KESTRAVON_VST3_CALL openHelp(vst3::TBool) override { return vst3::kResultFalse; }
  vst3::tresult KESTRAVON_VST3_CALL openAboutBox(vst3::TBool) override { return vst3::kResultFalse; }

  // IUnitInfo: one unit, the root, with the factory programs as its list.
  vst3::int32 KESTRAVON_VST3_CALL getUnitCount() override { return 1; }
  vst3::tresult KESTRAVON_VST3_CALL getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
  vst3::int32 KESTRAVON_VST3_CALL getProgramListCount() override { return 1; }
  vst3::tresult KESTRAVON_VST3_CALL getProgramListInfo(vst3::int32 listIndex,
                                                       vst3::ProgramListInfo& info) override;
  vst3::tresult KESTRAVON_VST3_CALL getProgramName(vst3::ProgramListID listId,
                                                   vst3::int32 programIndex,
                                                   vst3::String128 name) override;
  vst3::tresult KESTRAVON_VST3_CALL getProgramInfo(vst3::ProgramListID, vst3::int32, vst3::CString,
                                                   vst3::String128) override {
    return vst3::kResultFalse;
  }
  vst3::tresult KESTRAVON_VST3_CALL hasProgramPitchNames(vst3::ProgramListID, vst3::int32) override {
    return vst3::kResultFalse;
  }
  vst3::tresult KESTRAVON_VST3_CALL getProgramPitchName(vst3::ProgramListID, vst3::int32, vst3::int16,
                                                        vst3::String128) override {
    return vst3::kResultFalse;
  }
  vst3::UnitID KESTRAVON_VST3_CALL getSelectedUnit() override { return vst3::kRootUnitId; }
  vst3::tresult KESTRAVON_VST3_CALL selectUnit(vst3::UnitID unitId) override;
  vst3::tresult KESTRAVON_VST3_CALL getUnitByBus(vst3::MediaType type, vst3::BusDirection dir,
                                                 vst3::int32 busIndex, vst3::int32 channel,
                                                 vst3::UnitID& unitId) override;
  vst3::tresult KESTRAVON_VST3_CALL setUnitProgramData(vst3::int32, vst3::int32,
                                                       vst3::IBStream*) override {
    return vst3::kNotImplemented;
  }

  // Calls towards the host, from the editor on the host's main thread.
  void BeginParameterEdit(int index) override;
  void NotifyParamValue(int index, double normalized) override;
  void EndParameterEdit(int index) override;
  void ChangeLatency(int samples) override;
  // The editor's own size change, told to the host through the frame of
  // the view it is shown in.
  void EditorSizeChanged() override;

  // The object as hosts know it: the component's interface pointer.
  vst3::FUnknown* Unknown() { return static_cast<vst3::IComponent*>(this); }

 protected:
  vst3::tresult SetComponentStateFrom(vst3::IBStream* state) override;
  vst3::tresult WriteComponentStateTo(vst3::IBStream* state) override;
  // The controller keeps nothing of its own: the component's state holds it all.
  vst3::tresult SetControllerStateFrom(vst3::IBStream*) override { return vst3::kResultOk; }
  vst3::tresult WriteControllerStateTo(vst3::IBStream*) override { return vst3::kResultOk; }

  // Whether the plug-in makes sound of its own with silence in (its noise),
  // so that its tail never ends. Under the lock.
  virtual bool SoundsWithoutInput() { return false; }

 private:
  // The parameter a host identifier names, or null for one hosts do not see.
  PlugParam* HostParam(vst3::ParamID id) const;
  bool IsHostParam(int index) const;
  int ProgramCount() const { return NPresets(); }
  double ProgramToNormalized(int program) const;
  int ProgramOfNormalized(double normalized) const;
  // Loads a program as VST 2's program change does. Under the lock.
  void SwitchProgram(int program);
  // The state a host kept of the VST 2 plug-in this one replaces.
  bool RestoreVst2Session(std::span<const uint8_t> bytes);
  bool RestoreOwnChunk(const std::vector<uint8_t>& bytes, bool isBank);
  bool HoldsEveryValue(const FxProgram& program) const;
  void SetHostParamsFrom(const FxProgram& program);

  // The audio thread's side of the host's parameter changes.
  void TakeChanges(vst3::IParameterChanges* changes, int runStart, int runEnd, int frames,
                   vst3::IParameterChanges* report);
  void ApplyPending(vst3::IParameterChanges* report, int offset);
  void ReportAllValues(vst3::IParameterChanges* report, int offset);
  template <class Sample>
  void ProcessSegment(vst3::ProcessData& data, Sample** (*buffersOf)(vst3::AudioBusBuffers&),
                      int start, int frames);
  // The frame the next run with a change starts at, after runStart.
  int NextChangeRun(vst3::IParameterChanges* changes, int runStart, int frames);

  // Tells the host what changed during a call, once the lock is released.
  void TellHostOfChanges();

  std::atomic<vst3::uint32> references{1};
  std::vector<int> hostParams;
  int bypassParam;
  vst3::IComponentHandler* handler = nullptr;
  bool active = false;
  // Set up on the main thread, read by process() before it passes the gate.
  std::atomic<int> maxSamplesPerBlock{0};
  std::atomic<bool> latencyChanged{false};
  // The parameters an editor gesture holds: the host's echo of an older
  // value must not move them under the mouse.
  std::vector<std::atomic<bool>> heldByEditor;
  // Changes the audio thread could not take while the lock was held elsewhere.
  HeldHostChanges held;
  // Where each of the host's change queues was read up to in this block.
  static constexpr int kMaxQueues = 64;
  std::array<int, kMaxQueues> queueCursor{};
  StateChunk stateChunk;
  // The view that holds the host's frame, or null; kept by the view itself.
  kestravon_vst3::Vst3EditorView* framedView = nullptr;
};
