#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/render/HostTransport.h"
#include "vst2/VstAbi.h"

// Loads a VST 2 plug-in library the way a DAW does (dlopen, VSTPluginMain or
// main), answers its requests through the host callback, and wraps the
// dispatcher calls the render host needs. Offline only: one thread; the
// editor opens only to be pictured.
class PluginHost {
 public:
  static constexpr const char* kProductString = "kestravon-render";
  static constexpr const char* kVendorString = "Ostrelle";

  PluginHost() = default;
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Loads the library and creates the effect; on failure error says why.
  bool Load(const std::string& path, std::string* error);
  // effOpen, then the sample rate and the maximum block size.
  void Open(double sampleRate, int blockSize);
  // effMainsChanged on and off around processing.
  void Resume();
  void Suspend();
  // effClose and dlclose; also run by the destructor.
  void Unload();

  int NumParams() const { return effect->numParams; }
  int NumPrograms() const { return effect->numPrograms; }
  int NumInputs() const { return effect->numInputs; }
  int NumOutputs() const { return effect->numOutputs; }
  int32_t UniqueId() const { return effect->uniqueID; }
  int32_t PluginVersion() const { return effect->version; }
  bool HasFlag(int32_t flag) const { return (effect->flags & flag) != 0; }
  // The latency as last announced, never negative.
  int Latency() const { return latency; }
  // Reads initialDelay again, for plug-ins that change it without telling.
  void RefreshLatency();
  double SampleRate() const { return sampleRate; }
  int BlockSize() const { return blockSize; }
  std::string EffectName();

  std::string ParamName(int index);
  std::string ParamLabel(int index);
  std::string ParamDisplay(int index);
  float GetParam(int index);
  void SetParam(int index, float normalized);
  // effString2Parameter: true when the plug-in accepted the text.
  bool SetParamFromText(int index, const std::string& text);
  // The text the parameter would show at a normalised value, asked without
  // moving it; false when the plug-in cannot format values it does not hold.
  bool ParamDisplayAt(int index, float normalized, std::string* text);
  // True when the plug-in says the parameter moves in whole steps; false also
  // when it cannot tell.
  bool ParamIsStepped(int index);

  int CurrentProgram();
  void SetProgram(int index);
  // The name from effGetProgramNameIndexed; empty when not supported.
  std::string ProgramName(int index);
  std::string CurrentProgramName();
  void SetCurrentProgramName(const std::string& name);

  // effGetChunk / effSetChunk: isProgram selects one program (index 1)
  // rather than the bank (index 0).
  std::vector<uint8_t> GetChunk(bool isProgram);
  bool SetChunk(bool isProgram, std::span<const uint8_t> data);

  // Audio: the caller passes NumInputs() and NumOutputs() channel pointers.
  void ProcessFloat(float** inputs, float** outputs, int frames);
  void ProcessDouble(double** inputs, double** outputs, int frames);
  // Offline processing level and a playing transport while true.
  void SetRendering(bool on);
  void SetTransportPosition(int64_t frame) { transport.SetPosition(frame); }
  // The editor's size from effEditGetRect; false when the plug-in has none.
  bool EditorSize(int* width, int* height);
  // Asks the editor to draw at factor times its size, as hosts that scale
  // their windows do; false when the plug-in does not take the request.
  bool SetEditorScale(double factor);
  // effEditOpen in the parent window (an X11 window id on Linux).
  bool OpenEditor(void* parent);
  void EditorIdle();
  void CloseEditor();

  // How many automation messages the plug-in sent.
  int AutomationCount() const { return automationCount; }

 private:
  static VstIntPtr HostCallback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value,
                                void* ptr, float opt);
  VstIntPtr OnHostRequest(int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  std::string TextRequest(int32_t opcode, int32_t index);
  bool ValidParam(int index) const { return effect && index >= 0 && index < effect->numParams; }

  void* library = nullptr;
  AEffect* effect = nullptr;
  bool opened = false;
  bool resumed = false;
  bool editorOpen = false;
  bool rendering = false;
  double sampleRate = 44100.0;
  int blockSize = 512;
  int latency = 0;
  int automationCount = 0;
  HostTransport transport;
};
