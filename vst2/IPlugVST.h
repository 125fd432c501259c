#pragma once
#include <atomic>
#include <cstdint>

#include "core/IPlugBase.h"
#include "vst2/VstAbi.h"

// Binds the plug-in base to a VST 2.4 host: the effect record the host
// holds, the dispatcher and audio callbacks behind it, and every call the
// plug-in makes back to the host.
class IPlugVST : public IPlugBase {
 public:
  IPlugVST(const PlugIdentity& identity, audioMasterCallback hostCallback);
  ~IPlugVST() override;

  AEffect* Effect() { return &effect; }
  static IPlugVST* FromEffect(AEffect* effect);

  // The dispatcher's work, under the plug-in's lock (effClose excepted).
  VstIntPtr Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt);

  void BeginParameterEdit(int index) override;
  void NotifyParamValue(int index, double normalized) override;
  void EndParameterEdit(int index) override;
  void NotifyDisplayChange() override;
  bool IsOffline() override;
  int SamplePosition() override;
  double HostTempo() override;
  void HostTimeSignature(int* numerator, int* denominator) override;
  void HostTime(HostTimeInfo* info) override;
  int HostId() override;
  void EditorSizeChanged() override;
  void HostSetup() override;
  void AttachEditor(IEditorLink* newEditor) override;
  void ChangeLatency(int samples) override;
  bool SendMidi(const MidiMessage* message) override;
  bool SendSysExMsg(const SysExMessage* message) override;
  void RequestMidiFromHost() override;

  // The host is told of a new latency by the dispatcher call that changed
  // it, once the plug-in's lock is released: a host may take a lock of its
  // own in that callback, and must not be called so from the audio thread.
  void SendPendingDisplayUpdate();

  int HostExtensions() const { return hostExtensions; }
  const VstSpeakerArrangement& InputArrangement() const { return inputArrangement; }
  const VstSpeakerArrangement& OutputArrangement() const { return outputArrangement; }

 private:
  VstIntPtr CallHost(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  const VstTimeInfo* AskTime(int32_t validityMask);
  void SetEditorRect();
  void SetArrangement(VstSpeakerArrangement* arrangement, int channels);

  VstIntPtr GetChunk(bool isBank, void** data);
  VstIntPtr SetChunk(bool isBank, VstIntPtr size, const void* data);
  VstIntPtr ProcessEvents(const VstEvents* events);
  VstIntPtr String2Parameter(int index, const char* text);
  VstIntPtr PinProperties(bool isInput, int index, VstPinProperties* properties);
  VstIntPtr SetSpeakerArrangement(const VstSpeakerArrangement* in,
                                  const VstSpeakerArrangement* out);
  VstIntPtr VendorSpecific(int32_t index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* capability);

  ERect editorRect{};
  audioMasterCallback hostCallback;
  VstSpeakerArrangement inputArrangement{};
  VstSpeakerArrangement outputArrangement{};
  bool setupDone = false;
  std::atomic<bool> displayUpdatePending{false};
  int32_t hostExtensions = 0;
  StateChunk programChunk;
  StateChunk bankChunk;
  AEffect effect{};
};
