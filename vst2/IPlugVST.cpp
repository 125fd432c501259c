#include "vst2/IPlugVST.h"

#include <cmath>
#include <cstring>

#include "core/HostIdentification.h"
#include "vst2/VSTCallbacks.h"

namespace {
constexpr int32_t kTimeRequestMask = 0x3E00;  // ppq, tempo, bars, cycle and time signature
}

IPlugVST::IPlugVST(const PlugIdentity& identity, audioMasterCallback callback)
    : IPlugBase(identity), hostCallback(callback) {
  effect.magic = kEffectMagic;
  effect.dispatcher = VSTDispatcher;
  effect.process = VSTProcess;
  effect.setParameter = VSTSetParameter;
  effect.getParameter = VSTGetParameter;
  effect.numPrograms = NPresets();
  effect.numParams = NParams();
  effect.numInputs = NInputs();
  effect.numOutputs = NOutputs();
  effect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  effect.initialDelay = Latency();
  effect.ioRatio = 1.0f;
  effect.object = this;
  effect.uniqueID = UniqueId();
  const int32_t v = Version();
  effect.version = (v >> 16) * 10000 + ((v >> 8) & 0xff) * 100 + (v & 0xff);
  effect.processReplacing = VSTProcessReplacing;
  effect.processDoubleReplacing = VSTProcessDoubleReplacing;
  if (LegalIO(1, -1)) effect.flags |= effFlagsCanMono;

  SetArrangement(&inputArrangement, NInputs());
  SetArrangement(&outputArrangement, NOutputs());
  for (int i = 0; i < NInputs(); ++i) SetInputConnected(i, true);
  for (int i = 0; i < NOutputs(); ++i) SetOutputConnected(i, true);
  PrepareBlockSize(1024);
}

IPlugVST::~IPlugVST() { effect.object = nullptr; }

IPlugVST* IPlugVST::FromEffect(AEffect* e) {
  return e ? static_cast<IPlugVST*>(e->object) : nullptr;
}

void IPlugVST::SetArrangement(VstSpeakerArrangement* arrangement, int channels) {
  std::memset(arrangement, 0, sizeof *arrangement);
  arrangement->numChannels = channels;
  switch (channels) {
    case 0:
      arrangement->type = kSpeakerArrEmpty;
      break;
    case 1:
      arrangement->type = kSpeakerArrMono;
      break;
    case 2:
      arrangement->type = kSpeakerArrStereo;
      break;
    default:
      arrangement->type = kSpeakerArrUserDefined;
      break;
  }
}

VstIntPtr IPlugVST::CallHost(int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt) {
  return hostCallback ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

void IPlugVST::BeginParameterEdit(int index) { CallHost(audioMasterBeginEdit, index); }

void IPlugVST::NotifyParamValue(int index, double normalized) {
  CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalized));
}

void IPlugVST::EndParameterEdit(int index) { CallHost(audioMasterEndEdit, index); }

void IPlugVST::NotifyDisplayChange() { CallHost(audioMasterUpdateDisplay); }

bool IPlugVST::IsOffline() {
  return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* IPlugVST::AskTime(int32_t validityMask) {
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, validityMask));
}

int IPlugVST::SamplePosition() {
  const VstTimeInfo* time = AskTime(0);
  if (!time || !(time->samplePos >= 0.0)) return 0;
  return TruncateToInt(time->samplePos + 0.5);
}

double IPlugVST::HostTempo() {
  if (!hostCallback) return 0.0;
  const VstTimeInfo* time = AskTime(kVstTempoValid);
  if (time && (time->flags & kVstTempoValid) && time->tempo >= 0.0) return time->tempo;
  return 0.0;
}

void IPlugVST::HostTimeSignature(int* numerator, int* denominator) {
  *numerator = 0;
  *denominator = 0;
  const VstTimeInfo* time = AskTime(kVstTimeSigValid);
  if (time && (time->flags & kVstTimeSigValid) && time->timeSigNumerator >= 0 &&
      time->timeSigDenominator >= 0) {
    *numerator = time->timeSigNumerator;
    *denominator = time->timeSigDenominator;
  }
}

void IPlugVST::HostTime(HostTimeInfo* info) {
  const VstTimeInfo* time = AskTime(kTimeRequestMask);
  if (!time || !(time->flags & kTimeRequestMask)) return;
  info->samplePosition = time->samplePos;
  if ((time->flags & kVstPpqPosValid) && time->ppqPos >= 0.0)
    info->quarterNotePosition = time->ppqPos;
  if ((time->flags & kVstTempoValid) && time->tempo > 0.0) info->tempo = time->tempo;
  if ((time->flags & kVstBarsValid) && time->barStartPos >= 0.0) {
    info->barStartPosition = time->barStartPos;
  }
  if ((time->flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0) {
    info->cycleStart = time->cycleStartPos;
    info->cycleEnd = time->cycleEndPos;
  }
  if ((time->flags & kVstTimeSigValid) && time->timeSigNumerator > 0 &&
      time->timeSigDenominator > 0) {
    info->timeSigNumerator = time->timeSigNumerator;
    info->timeSigDenominator = time->timeSigDenominator;
  }
  info->playing = (time->flags & kVstTransportPlaying) != 0;
  info->looping = (time->flags & kVstTransportCycleActive) != 0;
}

int IPlugVST::HostId() {
  if (IPlugBase::HostId() != -1) return IPlugBase::HostId();
  char product[256] = {};
  CallHost(audioMasterGetProductString, 0, 0, product);
  product[255] = '\0';
  int32_t versionCode = 0;
  if (product[0]) {
    versionCode =
        HostVersionFromDecimal(static_cast<int32_t>(CallHost(audioMasterGetVendorVersion)));
  }
  SetHostIdentity(MatchHostName(product), versionCode);
  return IPlugBase::HostId();
}

void IPlugVST::HostSetup() {
  if (setupDone) return;
  setupDone = true;
  const int host = HostId();
  if (host == 15 || host == 17 || host == 18 || host == 20) {
    for (int i = 2; i < NInputs(); ++i) SetInputConnected(i, false);
    for (int i = 2; i < NOutputs(); ++i) SetOutputConnected(i, true);
  }
  inputArrangement.numChannels = NInputs();
  outputArrangement.numChannels = NOutputs();
  effect.numInputs = NInputs();
  effect.numOutputs = NOutputs();
  HostIdentified();
}

void IPlugVST::SetEditorRect() {
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<int16_t>(Editor()->Height());
  editorRect.right = static_cast<int16_t>(Editor()->Width());
}

void IPlugVST::AttachEditor(IEditorLink* newEditor) {
  if (!newEditor) return;
  IPlugBase::AttachEditor(newEditor);
  effect.flags |= effFlagsHasEditor;
  SetEditorRect();
}

void IPlugVST::EditorSizeChanged() {
  if (!Editor()) return;
  SetEditorRect();
  EditorResized(Editor());
  CallHost(audioMasterSizeWindow, editorRect.right, editorRect.bottom);
}

void IPlugVST::ChangeLatency(int samples) {
  IPlugBase::ChangeLatency(samples);
  effect.initialDelay = samples;
  displayUpdatePending = true;
}

void IPlugVST::SendPendingDisplayUpdate() {
  if (displayUpdatePending.exchange(false)) NotifyDisplayChange();
}

bool IPlugVST::SendMidi(const MidiMessage* message) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = static_cast<int32_t>(sizeof event);
  event.deltaFrames = message->offset;
  event.midiData[0] = static_cast<char>(message->status);
  event.midiData[1] = static_cast<char>(message->data1);
  event.midiData[2] = static_cast<char>(message->data2);
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IPlugVST::SendSysExMsg(const SysExMessage* message) {
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = static_cast<int32_t>(sizeof event);
  event.deltaFrames = message->offset;
  event.dumpBytes = message->size;
  event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(message->data));
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

void IPlugVST::RequestMidiFromHost() { CallHost(audioMasterWantMidi); }
