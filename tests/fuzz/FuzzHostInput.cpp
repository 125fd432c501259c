// Feeds arbitrary bytes to the plug-in as a hostile host would: as program
// and bank chunks restoring a damaged session, or as a script of calls
// through the effect record (parameter values and texts, sample rates, block
// sizes, programs and audio blocks of arbitrary samples). After every step
// the plug-in must be consistent and its audio finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst2/Tovrane.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckParameters(Tovrane& plug) {
  AEffect* effect = plug.Effect();
  for (int i = 0; i < plug.NParams(); ++i) {
    const PlugParam* param = plug.GetParam(i);
    Require(std::isfinite(param->Value()));
    Require(param->Value() >= param->Min() && param->Value() <= param->Max());
    const float normalized = effect->getParameter(effect, i);
    Require(normalized >= 0.0f && normalized <= 1.0f);
  }
}

void CheckConsistent(Tovrane& plug) {
  CheckParameters(plug);
  for (int i = 0; i < plug.NPresets(); ++i) {
    Require(std::strlen(plug.PresetNameAt(i)) < kPresetNameSize);
  }
  Require(plug.CurrentPreset() >= 0 && plug.CurrentPreset() < plug.NPresets());
  StateChunk program;
  Require(plug.SaveChunk(&program, false));
  Require(program.Size() == 8 + 8 * plug.NParams());
  StateChunk bank;
  Require(plug.SaveChunk(&bank, true));
  // What was saved must load again without a failure.
  Require(plug.RestoreChunk(&bank, true));
}

// Reads the script's bytes; past the end every read gives zeros.
class ScriptReader {
 public:
  ScriptReader(const uint8_t* bytes, size_t size) : data(bytes), left(size) {}
  bool AtEnd() const { return left == 0; }
  uint8_t Byte() {
    if (left == 0) return 0;
    --left;
    return *data++;
  }
  uint32_t Word() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= static_cast<uint32_t>(Byte()) << (8 * i);
    return w;
  }
  float Float() {
    const uint32_t w = Word();
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
  }

 private:
  const uint8_t* data;
  size_t left;
};

constexpr int kMaxFrames = 1200;  // above the block size the script usually prepares
constexpr int kMaxSteps = 24;

void RunAudioBlock(AEffect* effect, ScriptReader& script) {
  const int frames = (script.Byte() | script.Byte() << 8) % (kMaxFrames + 1);
  const uint8_t kind = script.Byte();
  // A handful of sample values from the script, repeated through the block.
  float values[4];
  for (float& v : values) v = script.Float();
  if (kind % 3 == 2) {
    std::vector<double> inL(frames), inR(frames), outL(frames), outR(frames);
    for (int s = 0; s < frames; ++s) {
      inL[s] = values[s % 4];
      inR[s] = values[(s + 1) % 4] * 1e200;  // doubles far beyond any float
    }
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    effect->processDoubleReplacing(effect, in, out, frames);
    for (int s = 0; s < frames; ++s) Require(std::isfinite(outL[s]) && std::isfinite(outR[s]));
    return;
  }
  std::vector<float> inL(frames), inR(frames), outL(frames), outR(frames);
  for (int s = 0; s < frames; ++s) {
    inL[s] = values[s % 4];
    inR[s] = values[(s + 2) % 4];
  }
  float* in[2] = {inL.data(), inR.data()};
  float* out[2] = {outL.data(), outR.data()};
  if (kind % 3 == 0) {
    effect->processReplacing(effect, in, out, frames);
  } else {
    effect->process(effect, in, out, frames);  // adds to the zeros already there
  }
  for (int s = 0; s < frames; ++s) Require(std::isfinite(outL[s]) && std::isfinite(outR[s]));
}

void RunScript(Tovrane& plug, ScriptReader& script) {
  AEffect* effect = plug.Effect();
  for (int step = 0; step < kMaxSteps && !script.AtEnd(); ++step) {
    const uint8_t op = script.Byte();
    // Indexes run one beyond each end of the parameter list.
    const int index = static_cast<int>(script.Byte() % (plug.NParams() + 2)) - 1;
    switch (op % 6) {
      case 0:
        effect->setParameter(effect, index, script.Float());
        break;
      case 1: {
        char text[17] = {};
        const int length = script.Byte() % 17;
        for (int i = 0; i < length; ++i) text[i] = static_cast<char>(script.Byte());
        effect->dispatcher(effect, effString2Parameter, index, 0, text, 0.0f);
        break;
      }
      case 2:
        RunAudioBlock(effect, script);
        break;
      case 3:
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, script.Float());
        effect->dispatcher(effect, effMainsChanged, 0, script.Byte() & 1, nullptr, 0.0f);
        break;
      case 4:
        effect->dispatcher(effect, effSetProgram, 0, index, nullptr, 0.0f);
        break;
      default:
        effect->dispatcher(effect, effSetBlockSize, 0, script.Byte() * 4, nullptr, 0.0f);
        break;
    }
    CheckParameters(plug);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the kind of input: a script of host calls, or a
  // chunk (program or bank, with or without a valid header put in front).
  const uint8_t mode = data[0];

  // One plug-in serves every input; each input starts from the same settings.
  static Tovrane plug;
  static StateChunk pristine;
  AEffect* effect = plug.Effect();
  if (pristine.Size() == 0) plug.SaveChunk(&pristine, true);
  plug.RestoreChunk(&pristine, true);
  plug.LoadPreset(0);
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 512, nullptr, 0.0f);

  if (mode & 4) {
    ScriptReader script(data + 1, size - 1);
    RunScript(plug, script);
  } else {
    StateChunk chunk;
    if (mode & 2) IPlugBase::WriteChunkHeader(&chunk);
    chunk.PutBytes(data + 1, static_cast<int>(size - 1));
    plug.RestoreChunk(&chunk, (mode & 1) != 0);
  }
  CheckConsistent(plug);
  return 0;
}
