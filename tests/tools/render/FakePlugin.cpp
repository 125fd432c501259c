// A small VST 2 effect for testing the render host: a pure delay whose
// length follows the sample rate (100 samples at 44.1 kHz), announced like
// a real plug-in does, in the first block, through audioMasterUpdateDisplay.
// It checks what the host tells it and turns its output to NaN when the
// transport position or the process level are wrong, so tests that only
// look at the audio still catch a host that lies.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "vst2/VstAbi.h"

namespace {

constexpr int kNumParams = 2;  // "Gain" (0..2, default 1) and "Mode" (Off/On)
constexpr int kNumPrograms = 3;
constexpr int kBaseDelay = 100;
constexpr int32_t kUniqueId = 0x46616b65;  // 'Fake'

struct Program {
  char name[32];
  float values[kNumParams];
};

struct FakeEffect {
  AEffect effect{};
  audioMasterCallback host = nullptr;
  Program programs[kNumPrograms] = {
      {"Alpha", {0.5f, 0.0f}}, {"Beta", {0.25f, 1.0f}}, {"Gamma", {1.0f, 0.0f}}};
  int current = 0;
  double sampleRate = 44100.0;
  int delay = kBaseDelay;
  std::vector<double> line[2];
  size_t writePos = 0;
  double expectedPosition = 0.0;
  std::vector<unsigned char> chunk;
};

FakeEffect* Self(AEffect* effect) { return static_cast<FakeEffect*>(effect->object); }

void Resize(FakeEffect* self) {
  self->delay = static_cast<int>(std::lround(kBaseDelay * self->sampleRate / 44100.0));
  for (auto& channel : self->line) channel.assign(static_cast<size_t>(self->delay) + 1, 0.0);
  self->writePos = 0;
  self->expectedPosition = 0.0;
}

void Display(FakeEffect* self, int index, char* text) {
  const float v = self->programs[self->current].values[index];
  if (index == 0)
    std::snprintf(text, 16, "%.2f", 2.0f * v);
  else
    std::strcpy(text, v >= 0.5f ? "On" : "Off");
}

[[maybe_unused]] VstIntPtr GetChunk(FakeEffect* self, bool isProgram, void** data) {
  const auto* begin = reinterpret_cast<const unsigned char*>(
      isProgram ? &self->programs[self->current] : &self->programs[0]);
  const size_t size = sizeof(Program) * (isProgram ? 1 : kNumPrograms);
  self->chunk.assign(begin, begin + size);
  *data = self->chunk.data();
  return static_cast<VstIntPtr>(size);
}

VstIntPtr SetChunk(FakeEffect* self, bool isProgram, VstIntPtr size, const void* data) {
  const size_t wanted = sizeof(Program) * (isProgram ? 1 : kNumPrograms);
  if (static_cast<size_t>(size) != wanted) return 0;
  std::memcpy(isProgram ? &self->programs[self->current] : &self->programs[0], data, wanted);
  return 1;
}

VstIntPtr Dispatcher(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                     float opt) {
  FakeEffect* self = Self(effect);
  auto* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effClose:
      delete self;
      return 0;
    case effSetProgram:
      if (value >= 0 && value < kNumPrograms) self->current = static_cast<int>(value);
      return 0;
    case effGetProgram:
      return self->current;
    case effSetProgramName:
      std::snprintf(self->programs[self->current].name, 32, "%s", text);
      return 0;
    case effGetProgramName:
      std::strcpy(text, self->programs[self->current].name);
      return 0;
    case effGetProgramNameIndexed:
      if (index < 0 || index >= kNumPrograms) return 0;
      std::strcpy(text, self->programs[index].name);
      return 1;
    case effGetParamName:
      std::strcpy(text, index == 0 ? "Gain" : "Mode");
      return 0;
    case effGetParamLabel:
      std::strcpy(text, index == 0 ? "x" : "");
      return 0;
    case effGetParamDisplay:
      Display(self, index, text);
      return 0;
    case effString2Parameter:
      return 0;  // makes the host search the display texts
    case effSetSampleRate:
      self->sampleRate = opt;
      Resize(self);
      return 0;
    case effMainsChanged:
      if (value) Resize(self);
      return 0;
    case effGetEffectName:
      std::strcpy(text, "Fake delay");
      return 1;
    case effGetChunk:
#ifdef FAKE_WITH_CHUNKS
      return GetChunk(self, index != 0, static_cast<void**>(ptr));
#else
      return 0;  // keeps its state in its parameters only
#endif
    case effSetChunk:
      return SetChunk(self, index != 0, value, ptr);
    default:
      return 0;
  }
}

void SetParameter(AEffect* effect, int32_t index, float value) {
  if (index >= 0 && index < kNumParams)
    Self(effect)->programs[Self(effect)->current].values[index] = value;
}

float GetParameter(AEffect* effect, int32_t index) {
  return index >= 0 && index < kNumParams
             ? Self(effect)->programs[Self(effect)->current].values[index]
             : 0.0f;
}

// False when the host's transport or process level is not what an offline
// render must report.
bool HostIsConsistent(FakeEffect* self) {
  auto* info = reinterpret_cast<VstTimeInfo*>(
      self->host(&self->effect, audioMasterGetTime, 0, kVstTempoValid, nullptr, 0.0f));
  const VstIntPtr level =
      self->host(&self->effect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f);
  return info && info->samplePos == self->expectedPosition &&
         info->sampleRate == self->sampleRate && (info->flags & kVstTransportPlaying) &&
         level == kVstProcessLevelOffline;
}

template <typename T>
void Process(AEffect* effect, T** inputs, T** outputs, int32_t frames) {
  FakeEffect* self = Self(effect);
  if (effect->initialDelay != self->delay) {
    effect->initialDelay = self->delay;
    self->host(effect, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f);
  }
  const bool consistent = HostIsConsistent(self);
  const double gain = 2.0 * self->programs[self->current].values[0];
  const size_t length = self->line[0].size();
  for (int32_t n = 0; n < frames; ++n) {
    for (int c = 0; c < 2; ++c) {
      self->line[c][self->writePos] = inputs[c][n];
      const double delayed = self->line[c][(self->writePos + 1) % length];
      outputs[c][n] =
          static_cast<T>(consistent ? gain * delayed : std::numeric_limits<double>::quiet_NaN());
    }
    self->writePos = (self->writePos + 1) % length;
  }
  self->expectedPosition += frames;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
  if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) < 2400) return nullptr;
  auto* self = new FakeEffect;
  AEffect& e = self->effect;
  self->host = host;
  e.magic = kEffectMagic;
  e.dispatcher = Dispatcher;
  e.setParameter = SetParameter;
  e.getParameter = GetParameter;
  e.numPrograms = kNumPrograms;
  e.numParams = kNumParams;
  e.numInputs = 2;
  e.numOutputs = 2;
  e.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
#ifdef FAKE_WITH_CHUNKS
  e.flags |= effFlagsProgramChunks;
#endif
  e.initialDelay = kBaseDelay;
  e.ioRatio = 1.0f;
  e.object = self;
  e.uniqueID = kUniqueId;
  e.version = 3;
  e.processReplacing = Process<float>;
  e.processDoubleReplacing = Process<double>;
  Resize(self);
  return &e;
}
