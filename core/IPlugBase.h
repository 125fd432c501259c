#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "core/AudioGate.h"
#include "core/Channels.h"
#include "core/EditorLink.h"
#include "core/HostRecords.h"
#include "core/PlugParam.h"
#include "core/PlugPreset.h"
#include "core/PointerArray.h"
#include "core/StateChunk.h"

inline constexpr int kNameSize = 128;
inline constexpr int kMidiNoteNameSize = 64;
inline constexpr int32_t kChunkMagic = 0x70666674;  // "tffp" in the first four bytes
inline constexpr int32_t kChunkVersion = 0x10000;
// The sample rates the processing can run at; a host's rate outside them is
// refused and the last good one stays.
inline constexpr double kMinSampleRate = 8000.0;
inline constexpr double kMaxSampleRate = 1536000.0;

// Packs four characters into a code with the first one in the top byte.
constexpr int32_t FourCharCode(char a, char b, char c, char d) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                              static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

// Marks the record of the program played, after the bank in a session chunk.
inline constexpr int32_t kPlayedProgramMagic = FourCharCode('c', 'p', 'r', 'g');

// Identity and configuration a product hands to the plug-in base.
struct PlugIdentity {
  int nParams = 0;
  const char* channelIO = "";
  int nPresets = 0;
  const char* effectName = "";
  const char* productName = "";
  const char* vendorName = "";
  int32_t version = 0;
  int32_t uniqueId = 0;
  int32_t makerId = 0;
  int latency = 0;
  bool doesMidi = false;
  bool doesChunks = false;
  bool isInstrument = false;
};

// The host-independent base of the plug-in object: parameters, presets and
// state chunks, the channel configuration, the conversion of host audio
// buffers into double-precision channel arrays, the plug-in's lock and its
// audio gate. Every operation of a host or editor thread that reads or
// writes parameters or presets holds the lock, so those threads never run
// that code at once. The audio callbacks never take it: they pass the audio
// gate, which host threads close only while they reshape the audio's
// buffers or the processing, and read the settings through mailboxes.
class IPlugBase {
 public:
  explicit IPlugBase(const PlugIdentity& identity);
  virtual ~IPlugBase();
  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // Engine hooks.
  virtual void OnReset();
  virtual void OnParamChanged(int index);
  virtual void ProcessBlock(double** inputs, double** outputs, int frames);
  virtual void EditorOpened() {}
  virtual void EditorClosed() {}
  virtual void SetActive(bool on);
  virtual void HandleMidi(const MidiMessage* message);
  virtual void HandleSysEx(const SysExMessage*) {}
  // text holds at least kMidiNoteNameSize bytes.
  virtual bool NameOfMidiNote(int note, char* text);
  virtual bool SaveState(StateChunk* chunk);
  virtual int LoadState(const StateChunk* chunk, int pos);
  virtual bool StateMatches(const double* values, int first);
  virtual void EditorResized(IEditorLink*) {}
  virtual void HostIdentified() {}
  virtual void ShowHostParameterMenu(int, int, int) {}
  virtual void SetParameterFromEditor(int index, double normalized);
  // A host's normalised value: held to the parameter's range and steps,
  // shown in the editor; a non-finite value changes nothing. Takes the lock.
  void SetParameterFromHost(int index, double normalized);
  // A host's value in the parameter's own range, as formats that speak in
  // it send one: brought to the parameter's grid and shown in the editor; a
  // non-finite value changes nothing. Takes the lock.
  void SetParameterValueFromHost(int index, double value);

  // Calls towards the host. The host binding supplies them; until one is
  // attached they do nothing and report nothing.
  virtual void BeginParameterEdit(int) {}
  virtual void NotifyParamValue(int, double) {}
  virtual void EndParameterEdit(int) {}
  virtual void NotifyDisplayChange() {}
  virtual bool IsOffline() { return false; }
  virtual int SamplePosition() { return 0; }
  virtual double HostTempo() { return 0.0; }
  virtual void HostTimeSignature(int* numerator, int* denominator);
  virtual void HostTime(HostTimeInfo*) {}
  virtual int HostId() { return hostId; }
  virtual int ApiKind() { return apiKind; }
  virtual void EditorSizeChanged() {}
  virtual void HostSetup() {}
  virtual void AttachEditor(IEditorLink* newEditor);
  virtual void ChangeLatency(int samples);
  virtual bool SendMidi(const MidiMessage*) { return false; }
  virtual bool SendSysExMsg(const SysExMessage*) { return false; }
  virtual void RefreshEditorControls();
  virtual void OnStateRestored() {}
  virtual void PrepareBlockSize(int frames);
  // Brings the processing back to rest, as a new instance's: formats whose
  // hosts deactivate and activate a plug-in to start it afresh call it.
  virtual void RestartProcessing() {}
  // The same for formats whose hosts reset a plug-in on the audio thread:
  // the fresh processing is made ahead, on the host's main thread, and
  // taken on the audio thread without allocating or waiting. Restart
  // returns whether the fresh processing was taken (and so a new one
  // should be made ahead again).
  virtual void PrepareRestart() {}
  virtual bool RestartFromPrepared() { return false; }
  // Whether the last block played made sound of its own with silence in
  // (so that a host may not put the plug-in to sleep on a quiet input). The
  // audio thread's.
  virtual bool SoundedOnItsOwn() const { return true; }
  // Sent at the start of every audio callback of a plug-in that takes MIDI.
  virtual void RequestMidiFromHost() {}

  // Channels and audio.
  bool LegalIO(int inputs, int outputs) const;
  void SetInputConnected(int index, bool connected);
  void SetOutputConnected(int index, bool connected);
  bool IsInputConnected(int index) const;
  bool IsOutputConnected(int index) const;
  // Whole audio callbacks, through the audio gate. A host that passes more
  // frames than the prepared block size is served in pieces of the block
  // size; a callback that finds the gate closed outputs silence.
  void ProcessFloatReplacing(float** inputs, float** outputs, int frames);
  void ProcessFloatAccumulating(float** inputs, float** outputs, int frames);
  void ProcessDoubleReplacing(double** inputs, double** outputs, int frames);
  // The single-precision entry's steps, for at most blockSize frames taken
  // from the host buffers starting at frame offset.
  void BindFloatBuffers(float** inputs, float** outputs, int frames, int offset = 0);
  void AccumulateOutputs(int frames);
  void StoreOutputs(int frames);
  void AnnounceAllParams();

  // Parameters.
  PlugParam* GetParam(int index) const { return params.Get(index); }
  int NParams() const { return params.Count(); }

  // Presets and state chunks.
  bool SerializeParams(StateChunk* chunk);
  int UnserializeParams(const StateChunk* chunk, int pos);
  bool SerializePresets(StateChunk* chunk);
  int UnserializePresets(const StateChunk* chunk, int pos);
  static void WriteChunkHeader(StateChunk* chunk);
  static int ReadChunkHeader(const StateChunk* chunk, int* pos);
  // A whole program or bank chunk as hosts store it: header, then the
  // parameter state or every preset. RestoreChunk reads a chunk without a
  // header as parameter values from its first byte; a chunk that cannot be
  // read whole changes nothing, and the result is false.
  bool SaveChunk(StateChunk* chunk, bool isBank);
  bool RestoreChunk(const StateChunk* chunk, bool isBank);
  // A session as formats that keep nothing but the plug-in's state save it:
  // the bank chunk, then a record of the program played, so the session
  // reopens on it. A chunk without that record (a bank alone) keeps the
  // current program; anything that is not a whole bank with its header, or
  // has other bytes after it, is refused and changes nothing.
  bool SaveSessionChunk(StateChunk* chunk);
  bool RestoreSessionChunk(const StateChunk* chunk);
  void ModifyCurrentPreset(const char* name = nullptr);
  bool LoadPreset(int index);
  // A host's program change: a plug-in whose programs are not saved as
  // chunks first keeps what was played in the program it leaves, so going
  // back to it finds the user's changes.
  void SwitchPreset(int index);
  const char* PresetNameAt(int index) const;
  bool IsPresetUsed(int index) const;
  const StateChunk* PresetState(int index) const;
  // Fills the first unused preset with one value per parameter in index order.
  bool AddPresetValues(const char* name, std::span<const double> values);
  void FillFreePresets(const char* name, int count);
  int NPresets() const { return presets.Count(); }
  int CurrentPreset() const { return currentPreset; }

  // Everything else the bindings and the engine read.
  std::recursive_mutex& Lock() { return lock; }
  AudioGate& Gate() { return audioGate; }
  double SampleRate() const { return sampleRate; }
  void SetSampleRate(double rate) { sampleRate = rate; }
  int BlockSize() const { return blockSize; }
  int Latency() const { return latency; }
  int TailSize() const { return tailSize; }
  const char* EffectName() const { return effectName; }
  const char* ProductName() const { return productName; }
  const char* VendorName() const { return vendorName; }
  int32_t Version() const { return version; }
  int32_t UniqueId() const { return uniqueId; }
  int32_t MakerId() const { return makerId; }
  int32_t HostVersion() const { return hostVersion; }
  bool DoesChunks() const { return doesChunks; }
  bool IsInstrument() const { return isInstrument; }
  bool DoesMidi() const { return doesMidi; }
  int NInputs() const { return inputs.Count(); }
  int NOutputs() const { return outputs.Count(); }
  int NChannelIOPairs() const { return channelIO.Count(); }
  const ChannelIOPair* ChannelIOAt(int index) const { return channelIO.Get(index); }
  IEditorLink* Editor() const { return editor; }

 protected:
  void SetHostIdentity(int32_t id, int32_t versionCode) {
    hostId = id;
    hostVersion = versionCode;
  }

 private:
  void ParseChannelIO(const char* text);
  void CreateChannels(int nInputs, int nOutputs);
  void RunFloatPieces(float** hostInputs, float** hostOutputs, int frames, bool accumulate);
  void BindDoubleBuffers(double** hostInputs, double** hostOutputs, int frames, int offset);
  int CountPresetsNamed(const char* text) const;
  // Where one preset's fields lie in a bank chunk.
  struct PresetRecord {
    int namePos = 0;
    int nameBytes = 0;
    bool used = false;
    int statePos = 0;
  };
  // The bytes of one parameter state: a double per parameter.
  int64_t ParamStateBytes() const;
  // Reads the record of the preset at pos; returns the position after it,
  // or -1 when the chunk does not hold it whole.
  int ReadPresetRecord(const StateChunk* chunk, int pos, PresetRecord* record) const;
  // Where a whole bank chunk with its header ends in chunk, or -1 when the
  // chunk does not hold one whole. Reads only.
  int BankChunkEnd(const StateChunk* chunk) const;
  void ApplyPresetRecord(const StateChunk* chunk, const PresetRecord& record, PlugPreset* preset);
  int ConnectedOutputs() const;

  PointerArray<ChannelIOPair> channelIO;
  std::recursive_mutex lock;
  AudioGate audioGate;
  // How many output buffers the host hands over, for an audio callback that
  // finds the gate closed and may not look at the channels.
  std::atomic<int> hostOutputCount{0};
  char effectName[kNameSize] = "";
  char productName[kNameSize] = "";
  char vendorName[kNameSize] = "";
  int32_t uniqueId = 0;
  int32_t makerId = 0;
  int32_t version = 0;
  int32_t apiKind = 0;
  int32_t hostId = -1;
  int32_t hostVersion = 0;
  bool doesChunks = false;
  bool isInstrument = false;
  bool doesMidi = false;
  double sampleRate = 44100.0;
  int32_t blockSize = 0;
  int32_t latency = 0;
  int32_t tailSize = 0;
  IEditorLink* editor = nullptr;
  PointerArray<PlugParam> params;
  PointerArray<PlugPreset> presets;
  std::vector<double*> inputData;
  std::vector<double*> outputData;
  PointerArray<InputChannel> inputs;
  PointerArray<OutputChannel> outputs;
  int32_t currentPreset = 0;
};
