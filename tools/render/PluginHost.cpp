#include "tools/render/PluginHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <utility>

#ifndef KESTRAVON_RENDER_VERSION
#define KESTRAVON_RENDER_VERSION 10000
#endif

namespace {

// Plug-ins copy whole texts into the host's buffers, whatever size the
// format suggests, so every text request gets room to spare.
constexpr size_t kTextBufferSize = 1024;
constexpr int32_t kProcessLevelUser = 1;
constexpr int kMaxChannels = 64;
constexpr int kMaxParams = 100000;
// Plug-ins that answer these effVendorSpecific calls return kVendorAnswer;
// any other return means the call is unknown to them.
constexpr int32_t kVendorDisplayAt = effGetParamDisplay;  // formats opt, a normalised value
constexpr int32_t kVendorIsStepped = 8;
constexpr VstIntPtr kVendorAnswer = 0xBEEF;

// The callback only receives the effect record; this maps it back to its
// host. Single-threaded by design, like the rest of the render host.
std::vector<std::pair<AEffect*, PluginHost*>>& Registry() {
  static std::vector<std::pair<AEffect*, PluginHost*>> hosts;
  return hosts;
}
PluginHost* hostBeingCreated = nullptr;

const char* const kHostCanDo[] = {"sendVstTimeInfo", "startStopProcess"};

}  // namespace

PluginHost::~PluginHost() { Unload(); }

bool PluginHost::Load(const std::string& path, std::string* error) {
  Unload();
  library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    *error = "cannot load plug-in library " + path + ": " + (why ? why : "unknown error");
    return false;
  }
  auto entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, "VSTPluginMain"));
  if (!entry) entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, "main"));
  if (!entry) {
    *error = path + " has no VST 2 entry point (VSTPluginMain or main)";
    Unload();
    return false;
  }
  hostBeingCreated = this;
  effect = entry(&PluginHost::HostCallback);
  hostBeingCreated = nullptr;
  if (!effect) {
    *error = path + ": the entry point returned no effect";
    Unload();
    return false;
  }
  if (effect->magic != kEffectMagic) {
    *error = path + ": the effect record has a wrong magic (not 'VstP')";
    effect = nullptr;  // not a record we may call into
    Unload();
    return false;
  }
  if (effect->numInputs < 0 || effect->numInputs > kMaxChannels || effect->numOutputs < 1 ||
      effect->numOutputs > kMaxChannels || effect->numParams < 0 ||
      effect->numParams > kMaxParams || effect->numPrograms < 0) {
    *error = path + ": the effect record has implausible channel, parameter or program counts";
    Unload();
    return false;
  }
  Registry().emplace_back(effect, this);
  RefreshLatency();
  return true;
}

void PluginHost::Open(double rate, int frames) {
  sampleRate = rate;
  blockSize = frames;
  transport.SetSampleRate(rate);
  Dispatch(effOpen);
  opened = true;
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
  Dispatch(effSetBlockSize, 0, frames);
  RefreshLatency();
}

void PluginHost::Resume() {
  if (resumed) return;
  Dispatch(effMainsChanged, 0, 1);
  Dispatch(effStartProcess);
  resumed = true;
  RefreshLatency();
}

void PluginHost::Suspend() {
  if (!resumed) return;
  Dispatch(effStopProcess);
  Dispatch(effMainsChanged, 0, 0);
  resumed = false;
}

void PluginHost::Unload() {
  if (effect) {
    CloseEditor();
    Suspend();
    // effClose deletes the plug-in even when it was never opened.
    Dispatch(effClose);
    auto& hosts = Registry();
    std::erase_if(hosts, [this](const auto& entry) { return entry.second == this; });
    effect = nullptr;
  }
  opened = false;
  if (library) {
    dlclose(library);
    library = nullptr;
  }
}

std::string PluginHost::EffectName() { return TextRequest(effGetEffectName, 0); }

std::string PluginHost::ParamName(int index) {
  return ValidParam(index) ? TextRequest(effGetParamName, index) : std::string();
}

std::string PluginHost::ParamLabel(int index) {
  return ValidParam(index) ? TextRequest(effGetParamLabel, index) : std::string();
}

std::string PluginHost::ParamDisplay(int index) {
  return ValidParam(index) ? TextRequest(effGetParamDisplay, index) : std::string();
}

float PluginHost::GetParam(int index) {
  return ValidParam(index) ? effect->getParameter(effect, index) : 0.0f;
}

void PluginHost::SetParam(int index, float normalized) {
  if (ValidParam(index)) effect->setParameter(effect, index, std::clamp(normalized, 0.0f, 1.0f));
}

bool PluginHost::SetParamFromText(int index, const std::string& text) {
  if (!ValidParam(index)) return false;
  std::vector<char> buffer(kTextBufferSize, 0);
  std::copy_n(text.begin(), std::min(text.size(), kTextBufferSize - 1), buffer.begin());
  return Dispatch(effString2Parameter, index, 0, buffer.data()) != 0;
}

bool PluginHost::ParamDisplayAt(int index, float normalized, std::string* text) {
  if (!ValidParam(index)) return false;
  std::vector<char> buffer(kTextBufferSize, 0);
  if (Dispatch(effVendorSpecific, kVendorDisplayAt, index, buffer.data(), normalized) !=
      kVendorAnswer) {
    return false;
  }
  buffer.back() = '\0';
  *text = buffer.data();
  return true;
}

bool PluginHost::ParamIsStepped(int index) {
  if (!ValidParam(index)) return false;
  // Room for a plug-in that takes the call for another one and writes a text.
  std::vector<char> scratch(kTextBufferSize, 0);
  return Dispatch(effVendorSpecific, kVendorIsStepped, index, scratch.data()) == kVendorAnswer;
}

int PluginHost::CurrentProgram() { return static_cast<int>(Dispatch(effGetProgram)); }

void PluginHost::SetProgram(int index) {
  if (index < 0 || index >= NumPrograms()) return;
  Dispatch(effBeginSetProgram);
  Dispatch(effSetProgram, 0, index);
  Dispatch(effEndSetProgram);
}

std::string PluginHost::ProgramName(int index) {
  if (index < 0 || index >= NumPrograms()) return {};
  return TextRequest(effGetProgramNameIndexed, index);
}

std::string PluginHost::CurrentProgramName() { return TextRequest(effGetProgramName, 0); }

void PluginHost::SetCurrentProgramName(const std::string& name) {
  std::vector<char> buffer(kTextBufferSize, 0);
  std::copy_n(name.begin(), std::min(name.size(), kTextBufferSize - 1), buffer.begin());
  Dispatch(effSetProgramName, 0, 0, buffer.data());
}

std::vector<uint8_t> PluginHost::GetChunk(bool isProgram) {
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, isProgram ? 1 : 0, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool PluginHost::SetChunk(bool isProgram, std::span<const uint8_t> data) {
  // The plug-in may keep the pointer only for the call, but some write to it.
  std::vector<uint8_t> copy(data.begin(), data.end());
  return Dispatch(effSetChunk, isProgram ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                  copy.data()) != 0;
}

void PluginHost::ProcessFloat(float** inputs, float** outputs, int frames) {
  if (effect->processReplacing && HasFlag(effFlagsCanReplacing)) {
    effect->processReplacing(effect, inputs, outputs, frames);
    return;
  }
  // Only the accumulating call exists: it adds to what is in the outputs.
  for (int c = 0; c < NumOutputs(); ++c) std::fill_n(outputs[c], frames, 0.0f);
  if (effect->process) effect->process(effect, inputs, outputs, frames);
}

void PluginHost::ProcessDouble(double** inputs, double** outputs, int frames) {
  effect->processDoubleReplacing(effect, inputs, outputs, frames);
}

bool PluginHost::EditorSize(int* width, int* height) {
  ERect* rect = nullptr;
  if (!effect || !(effect->flags & effFlagsHasEditor)) return false;
  if (Dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect) return false;
  *width = rect->right - rect->left;
  *height = rect->bottom - rect->top;
  return *width > 0 && *height > 0;
}

bool PluginHost::SetEditorScale(double factor) {
  if (!effect) return false;
  return Dispatch(effVendorSpecific, kVendorContentScaleIndex, kVendorContentScaleValue, nullptr,
                  static_cast<float>(factor)) == 1;
}

bool PluginHost::OpenEditor(void* parent) {
  CloseEditor();
  editorOpen = Dispatch(effEditOpen, 0, 0, parent) != 0;
  return editorOpen;
}

void PluginHost::EditorIdle() {
  if (editorOpen) Dispatch(effEditIdle);
}

void PluginHost::CloseEditor() {
  if (!editorOpen) return;
  Dispatch(effEditClose);
  editorOpen = false;
}

void PluginHost::SetRendering(bool on) {
  rendering = on;
  transport.SetPlaying(on);
}

VstIntPtr PluginHost::HostCallback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value,
                                   void* ptr, float opt) {
  PluginHost* host = hostBeingCreated;
  for (const auto& [known, owner] : Registry()) {
    if (known == effect) host = owner;
  }
  // Requests from a plug-in we do not know yet still get the version.
  if (!host) return opcode == audioMasterVersion ? kVstVersion : 0;
  return host->OnHostRequest(opcode, index, value, ptr, opt);
}

VstIntPtr PluginHost::OnHostRequest(int32_t opcode, int32_t, VstIntPtr, void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterAutomate:
      ++automationCount;
      return 0;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(transport.TimeInfo());
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRate);
    case audioMasterGetBlockSize:
      return blockSize;
    case audioMasterGetCurrentProcessLevel:
      return rendering ? kVstProcessLevelOffline : kProcessLevelUser;
    case audioMasterGetProductString:
      if (ptr) std::strcpy(static_cast<char*>(ptr), kProductString);
      return ptr ? 1 : 0;
    case audioMasterGetVendorString:
      if (ptr) std::strcpy(static_cast<char*>(ptr), kVendorString);
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
      return KESTRAVON_RENDER_VERSION;
    case audioMasterCanDo:
      if (!ptr) return 0;
      for (const char* can : kHostCanDo) {
        if (std::strcmp(static_cast<const char*>(ptr), can) == 0) return 1;
      }
      return 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      return 1;
    case audioMasterUpdateDisplay:
      RefreshLatency();
      return 1;
    default:
      return 0;
  }
}

VstIntPtr PluginHost::Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                               float opt) {
  if (!effect || !effect->dispatcher) return 0;
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string PluginHost::TextRequest(int32_t opcode, int32_t index) {
  std::vector<char> buffer(kTextBufferSize, 0);
  Dispatch(opcode, index, 0, buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

void PluginHost::RefreshLatency() {
  if (effect) latency = std::max(0, effect->initialDelay);
}
