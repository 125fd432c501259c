// The host's non-audio requests, one opcode at a time.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "vst2/IPlugVST.h"

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {

// Host text buffers come without a size. These bounds, terminator included,
// are what VST 2.4 hosts provide: 24 bytes for program names, 32 for
// parameter names, labels and value texts (the extended parameter-string
// length hosts allocate), 32 for the effect name, 64 for vendor and product
// strings, pin and key names.
constexpr int kProgramNameBound = 24;
constexpr int kParamTextBound = 32;
constexpr int kEffectNameBound = 32;
constexpr int kVendorTextBound = 64;
constexpr int kLabelBound = 64;

// Larger chunks than this are not ours: the whole bank is a few kilobytes.
constexpr VstIntPtr kMaxChunkBytes = 16 * 1024 * 1024;
// Block sizes beyond this are refused rather than allocated.
constexpr VstIntPtr kMaxBlockSize = 1 << 20;
constexpr VstIntPtr kCockosAnswer = 0xBEEF0000;

int32_t DecimalVersion(int32_t version) {
  return (version >> 16) * 10000 + ((version >> 8) & 0xff) * 100 + (version & 0xff);
}

}  // namespace

VstIntPtr IPlugVST::Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt) {
  if (opcode == effClose) return 0;  // the caller destroys the object outside the lock
  if (opcode == effEditIdle) {
    // The editor's drawing and event work, like a window's timer, runs
    // without the plug-in's lock so that it never holds up the audio; what
    // it changes in the plug-in takes the lock itself.
    if (Editor()) Editor()->Idle();
    return 0;
  }
  // Asking the host who it is happens before the lock is taken, for the same
  // reason as every other call into the host.
  if (opcode == effOpen) HostId();
  Guard guard(Lock());
  auto* text = static_cast<char*>(ptr);
  PlugParam* param = GetParam(index);
  switch (opcode) {
    case effOpen: {
      AudioGate::HostHold hold(Gate());
      HostSetup();
      AnnounceAllParams();
      return 0;
    }
    case effSetProgram:
      SwitchPreset(static_cast<int>(value));
      return 0;
    case effGetProgram:
      return CurrentPreset();
    case effSetProgramName:
      if (text) {
        ModifyCurrentPreset(text);
        OnStateRestored();
      }
      return 0;
    case effGetProgramName:
      if (text) CopyText(text, kProgramNameBound, PresetNameAt(CurrentPreset()));
      return 0;
    case effGetParamLabel:
      if (param && text) CopyText(text, kParamTextBound, param->UnitLabel());
      return 0;
    case effGetParamDisplay:
      if (param && text) param->FormatValue(param->Value(), false, text, kParamTextBound, true);
      return 0;
    case effGetParamName:
      if (param && text) CopyText(text, kParamTextBound, param->Name());
      return 0;
    // The rate, the block size and the processing's memory change only
    // with the audio callback kept out.
    case effSetSampleRate: {
      AudioGate::HostHold hold(Gate());
      // A rate no processing can run at is refused; the last good one stays.
      if (std::isfinite(opt) && opt >= kMinSampleRate && opt <= kMaxSampleRate) {
        SetSampleRate(static_cast<double>(opt));
      }
      OnReset();
      return 0;
    }
    case effSetBlockSize: {
      AudioGate::HostHold hold(Gate());
      if (value >= 0 && value <= kMaxBlockSize) PrepareBlockSize(static_cast<int>(value));
      OnReset();
      return 0;
    }
    case effMainsChanged: {
      AudioGate::HostHold hold(Gate());
      if (value) {
        SetActive(true);
      } else {
        SetActive(false);
        OnReset();
      }
      return 0;
    }
    case effEditGetRect:
      if (!ptr || !Editor()) return 0;
      *static_cast<ERect**>(ptr) = &editorRect;
      return 1;
    case effEditOpen:
      if (!Editor() || !Editor()->OpenEditorWindow(ptr)) return 0;
      EditorOpened();
      return 1;
    case effEditClose:
      if (!Editor()) return 0;
      EditorClosed();
      Editor()->CloseEditorWindow();
      return 1;
    case effIdentify:
      return FourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
      return GetChunk(index == 0, static_cast<void**>(ptr));
    case effSetChunk:
      return SetChunk(index == 0, value, ptr);
    case effProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
      return 1;
    case effString2Parameter:
      return String2Parameter(index, text);
    case effGetProgramNameIndexed:
      if (!text) return 0;
      CopyText(text, kProgramNameBound, PresetNameAt(index));
      return text[0] ? 1 : 0;
    case effGetInputProperties:
    case effGetOutputProperties:
      return PinProperties(opcode == effGetInputProperties, index,
                           static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement: {
      AudioGate::HostHold hold(Gate());
      return SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                                   static_cast<const VstSpeakerArrangement*>(ptr));
    }
    case effGetEffectName:
      if (!text) return 0;
      CopyText(text, kEffectNameBound, EffectName());
      return 1;
    case effGetVendorString:
      if (!text) return 0;
      CopyText(text, kVendorTextBound, VendorName());
      return 1;
    case effGetProductString:
      if (!text) return 0;
      CopyText(text, kVendorTextBound, ProductName());
      return 1;
    case effGetVendorVersion:
      return DecimalVersion(Version());
    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return CanDo(text);
    case effGetTailSize:
      return TailSize();
    case effGetVstVersion:
      return kVstVersion;
    case effGetMidiKeyName: {
      auto* key = static_cast<MidiKeyName*>(ptr);
      if (!key) return 0;
      key->keyName[0] = '\0';
      return NameOfMidiNote(key->thisKeyNumber, key->keyName) ? 1 : 0;
    }
    case effGetSpeakerArrangement:
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement;
      return 1;
    default:
      return 0;
  }
}

VstIntPtr IPlugVST::GetChunk(bool isBank, void** data) {
  if (!data) return 0;
  StateChunk& chunk = isBank ? bankChunk : programChunk;
  if (!SaveChunk(&chunk, isBank)) return 0;
  *data = chunk.Data();
  return chunk.Size();
}

VstIntPtr IPlugVST::SetChunk(bool isBank, VstIntPtr size, const void* data) {
  // An empty, negative or absurd size is refused before anything is
  // allocated or any setting is touched.
  if (!data || size <= 0 || size > kMaxChunkBytes) return 0;
  StateChunk& chunk = isBank ? bankChunk : programChunk;
  if (!chunk.Resize(static_cast<int>(size))) return 0;
  std::memcpy(chunk.Data(), data, static_cast<size_t>(size));
  return RestoreChunk(&chunk, isBank) ? 1 : 0;
}

VstIntPtr IPlugVST::ProcessEvents(const VstEvents* events) {
  if (!events) return 0;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (!event) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      MidiMessage message;
      message.offset = midi->deltaFrames;
      message.status = static_cast<uint8_t>(midi->midiData[0]);
      message.data1 = static_cast<uint8_t>(midi->midiData[1]);
      message.data2 = static_cast<uint8_t>(midi->midiData[2]);
      HandleMidi(&message);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      SysExMessage message;
      message.offset = sysex->deltaFrames;
      message.size = sysex->dumpBytes;
      message.data = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
      HandleSysEx(&message);
    }
  }
  return 1;
}

VstIntPtr IPlugVST::String2Parameter(int index, const char* text) {
  PlugParam* param = GetParam(index);
  if (!param) return 0;
  if (!text) return 1;
  double parsed = 0.0;
  if (!param->ParseValueText(text, &parsed)) return 0;
  if (Editor()) Editor()->SetParameterFromHost(index, parsed, false);
  param->SetClamped(parsed);
  OnParamChanged(index);
  return 1;
}

VstIntPtr IPlugVST::PinProperties(bool isInput, int index, VstPinProperties* properties) {
  const int channels = isInput ? NInputs() : NOutputs();
  if (!properties || index < 0 || index >= channels) return 0;
  properties->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < channels - 1) properties->flags |= kVstPinIsStereo;
  std::snprintf(properties->label, kLabelBound, "%s %d", isInput ? "Input" : "Output", index + 1);
  return 1;
}

VstIntPtr IPlugVST::SetSpeakerArrangement(const VstSpeakerArrangement* in,
                                          const VstSpeakerArrangement* out) {
  if (in) {
    const int n = in->numChannels > 0 ? in->numChannels : 0;
    for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, i < n);
  }
  if (out) {
    const int n = out->numChannels > 0 ? out->numChannels : 0;
    for (int i = 0; i < NOutputs(); ++i) SetOutputConnected(i, i < n);
  }
  return 1;
}

VstIntPtr IPlugVST::VendorSpecific(int32_t index, VstIntPtr value, void* ptr, float opt) {
  if (index == 7) {
    if (!ptr) return 0;
    const PlugParam* param = GetParam(static_cast<int>(value));
    if (param && std::isfinite(opt)) {
      param->FormatValue(opt, true, static_cast<char*>(ptr), kParamTextBound, true);
    }
    return 0xBEEF;
  }
  if (index == 8) {
    const PlugParam* param = GetParam(static_cast<int>(value));
    return param && param->Kind() != KindDouble ? 0xBEEF : 0;
  }
  if (index == kVendorContentScaleIndex && value == kVendorContentScaleValue) {
    if (!Editor() || !std::isfinite(opt) || opt <= 0.0f) return 0;
    Editor()->SetHostScale(opt);
    return 1;
  }
  return 0;
}

VstIntPtr IPlugVST::CanDo(const char* capability) {
  if (!capability) return 0;
  if (!std::strcmp(capability, "receiveVstTimeInfo")) return 1;
  if (!std::strcmp(capability, "sendVstEvents") || !std::strcmp(capability, "sendVstMidiEvent") ||
      !std::strcmp(capability, "receiveVstEvents") ||
      !std::strcmp(capability, "receiveVstMidiEvent")) {
    return DoesMidi() ? 1 : 0;
  }
  if (!std::strcmp(capability, "hasCockosExtensions")) {
    hostExtensions |= 1;
    return kCockosAnswer;
  }
  if (!std::strcmp(capability, "hasCockosViewAsConfig")) {
    hostExtensions |= 2;
    return kCockosAnswer;
  }
  return 0;
}
