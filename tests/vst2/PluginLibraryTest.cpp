// The built plug-in library, loaded and driven through its effect record
// only, as a host does.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "PluginLibrary.h"

TEST_F(PluginLibrary, ExportsOnlyTheEntryPoints) {
  EXPECT_NE(mainEntry, nullptr);
  EXPECT_EQ(FindLibrarySymbol(library, "VSTDispatcher"), nullptr);
  EXPECT_EQ(FindLibrarySymbol(library, "_ZN9IPlugBase11LoadPresetEi"), nullptr);
}

TEST_F(PluginLibrary, RecordIsCompleteWhenTheEntryPointReturns) {
  EXPECT_EQ(effect->magic, 0x56737450);
  EXPECT_EQ(effect->numPrograms, 16);
  EXPECT_EQ(effect->numParams, 26);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  // Editor, mono, replacing and double replacing.
  EXPECT_EQ(effect->flags, 0x1019);
  EXPECT_EQ(effect->initialDelay, 1378);
  EXPECT_EQ(effect->ioRatio, 1.0f);
  EXPECT_EQ(effect->uniqueID, 0x546F7672);
  EXPECT_EQ(effect->version, 10000);
  EXPECT_NE(effect->object, nullptr);
  EXPECT_NE(effect->process, nullptr);
  EXPECT_NE(effect->processReplacing, nullptr);
  EXPECT_NE(effect->processDoubleReplacing, nullptr);
  EXPECT_TRUE(host.calls.empty()) << "the host is not called during creation";
}

TEST_F(PluginLibrary, MainGivesAnEquivalentRecord) {
  AEffect* other = mainEntry(FakeHost::Callback);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, effect);
  EXPECT_EQ(other->uniqueID, effect->uniqueID);
  EXPECT_EQ(other->flags, effect->flags);
  EXPECT_EQ(other->numParams, effect->numParams);
  other->dispatcher(other, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(PluginLibrary, FixedAnswers) {
  EXPECT_EQ(Dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(Dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(Dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(Dispatch(effGetVendorVersion), 10000);
  EXPECT_EQ(Dispatch(effGetTailSize), 0);
  EXPECT_EQ(Dispatch(effCanBeAutomated, 3), 1);
  EXPECT_EQ(Dispatch(effEditGetRect), 0) << "null rect pointer";
  EXPECT_EQ(Dispatch(999), 0);
  EXPECT_EQ(Text(effGetEffectName), "Kestravon");
  EXPECT_EQ(Text(effGetVendorString), "Ostrelle");
  EXPECT_EQ(Text(effGetProductString), "");
  EXPECT_EQ(Dispatch(effGetEffectName), 0) << "null text pointer";
}

TEST_F(PluginLibrary, EditorRectIsTheLayoutSize) {
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 420);
  EXPECT_EQ(rect->right, 1000);
}

// A host that scales its windows says so with the content-scale vendor
// call; the editor takes the nearest quarter and the host hears the size.
TEST_F(PluginLibrary, TheHostsContentScaleResizesTheEditor) {
  EXPECT_EQ(Dispatch(effVendorSpecific, kVendorContentScaleIndex, kVendorContentScaleValue,
                     nullptr, 2.0f),
            1);
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right, 2000);
  EXPECT_EQ(rect->bottom, 840);
  ASSERT_EQ(host.Count(audioMasterSizeWindow), 1);
  for (const FakeHost::Call& call : host.calls) {
    if (call.opcode != audioMasterSizeWindow) continue;
    EXPECT_EQ(call.index, 2000);
    EXPECT_EQ(call.value, 840);
  }

  Dispatch(effVendorSpecific, kVendorContentScaleIndex, kVendorContentScaleValue, nullptr, 1.6f);
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right, 1500) << "to the nearest quarter";
  EXPECT_EQ(Dispatch(effVendorSpecific, kVendorContentScaleIndex, kVendorContentScaleValue,
                     nullptr, std::nanf("")),
            0);
  Dispatch(effVendorSpecific, kVendorContentScaleIndex, kVendorContentScaleValue, nullptr, 1.5f);
  EXPECT_EQ(host.Count(audioMasterSizeWindow), 2) << "an unchanged size is not sent again";
}

TEST_F(PluginLibrary, Capabilities) {
  auto canDo = [&](const char* text) { return Dispatch(effCanDo, 0, 0, const_cast<char*>(text)); };
  EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
  EXPECT_EQ(canDo("sendVstEvents"), 0);
  EXPECT_EQ(canDo("receiveVstMidiEvent"), 0);
  EXPECT_EQ(canDo("hasCockosExtensions"), static_cast<VstIntPtr>(0xBEEF0000));
  EXPECT_EQ(canDo("hasCockosViewAsConfig"), static_cast<VstIntPtr>(0xBEEF0000));
  EXPECT_EQ(canDo("receivevsttimeinfo"), 0);
  EXPECT_EQ(Dispatch(effCanDo), 0);
}

TEST_F(PluginLibrary, ParameterTexts) {
  EXPECT_EQ(Text(effGetParamName, 0), "Input Gain");
  EXPECT_EQ(Text(effGetParamLabel, 0), "%");
  EXPECT_EQ(Text(effGetParamDisplay, 0), "50.00");
  EXPECT_EQ(Text(effGetParamDisplay, 1), "0");
  EXPECT_EQ(Text(effGetParamName, 14), "");
  EXPECT_EQ(Text(effGetParamName, 22), "");
  EXPECT_EQ(Text(effGetParamDisplay, 22), "0");
  // An invalid index leaves the buffer alone.
  EXPECT_EQ(Text(effGetParamName, 26), std::string(255, 'z'));
  EXPECT_EQ(Text(effGetParamName, -1), std::string(255, 'z'));
}

TEST_F(PluginLibrary, Programs) {
  EXPECT_EQ(Dispatch(effGetProgram), 0);
  EXPECT_EQ(Text(effGetProgramName), "init");
  EXPECT_EQ(Text(effGetProgramNameIndexed, 15), "Wide rich overdrive");
  char text[32] = "x";
  EXPECT_EQ(Dispatch(effGetProgramNameIndexed, 16, 0, text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(Dispatch(effGetProgramNameIndexed, 3), 0) << "null text pointer";

  Dispatch(effSetProgram, 0, 13);
  EXPECT_EQ(Dispatch(effGetProgram), 13);
  EXPECT_EQ(Text(effGetProgramName), "Warm rhodes 2");
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 21), 0.0f);  // "Speed" 0

  char name[] = "My tape";
  Dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(Text(effGetProgramNameIndexed, 13), "My tape");
  // Host buffers get at most 23 characters of a long name.
  char longName[] = "A very long program name indeed";
  Dispatch(effSetProgramName, 0, 0, longName);
  EXPECT_EQ(Text(effGetProgramName), std::string(longName).substr(0, 23));
}

TEST_F(PluginLibrary, ProgramAndBankChunks) {
  const std::vector<uint8_t> program = Chunk(false);
  ASSERT_EQ(program.size(), 216u);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(program.data(), header, 8), 0);

  const std::vector<uint8_t> bank = Chunk(true);
  size_t expected = 8;
  for (int i = 0; i < 16; ++i) expected += 4 + Text(effGetProgramNameIndexed, i).size() + 1 + 208;
  EXPECT_EQ(bank.size(), expected);
  void* data = nullptr;
  EXPECT_EQ(Dispatch(effGetChunk, 1, 0, nullptr), 0);
  EXPECT_EQ(Dispatch(effGetChunk, 1, 0, &data), 216);

  // Change a value, then restore the saved program.
  effect->setParameter(effect, 11, 0.9f);
  std::vector<uint8_t> copy = program;
  EXPECT_EQ(Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(copy.size()), copy.data()), 1);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 11), 0.2f);

  // Without the header the values are read from byte 0.
  std::vector<uint8_t> body(program.begin() + 8, program.end());
  effect->setParameter(effect, 11, 0.9f);
  EXPECT_EQ(Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(body.size()), body.data()), 1);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 11), 0.2f);

  // A cut chunk changes nothing, the current program included, and reports failure.
  effect->setParameter(effect, 5, 0.7f);
  const std::vector<uint8_t> before = Chunk(false);
  std::vector<uint8_t> cut(program.begin(), program.begin() + 51);
  EXPECT_EQ(Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(cut.size()), cut.data()), 0);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 5), 0.7f);
  EXPECT_EQ(Chunk(false), before);

  // Sizes no chunk of ours can have are refused.
  EXPECT_EQ(Dispatch(effSetChunk, 1, -5, copy.data()), 0);
  EXPECT_EQ(Dispatch(effSetChunk, 1, VstIntPtr{1} << 40, copy.data()), 0);
  EXPECT_EQ(Dispatch(effSetChunk, 1, 216, nullptr), 0);

  std::vector<uint8_t> bankCopy = bank;
  EXPECT_EQ(Dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bankCopy.size()), bankCopy.data()), 1);
  EXPECT_EQ(Chunk(true), bank);
}

TEST_F(PluginLibrary, StringToParameter) {
  char text[] = "250";
  EXPECT_EQ(Dispatch(effString2Parameter, 0, 0, text), 1);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 0), 1.0f);
  char half[] = "12.5";
  EXPECT_EQ(Dispatch(effString2Parameter, 4, 0, half), 1);
  EXPECT_EQ(Text(effGetParamDisplay, 4), "12.50");
  EXPECT_EQ(Dispatch(effString2Parameter, 4, 0, nullptr), 1);
  EXPECT_EQ(Dispatch(effString2Parameter, 26, 0, half), 0);
  EXPECT_TRUE(host.calls.empty()) << "the host is not told";
}

TEST_F(PluginLibrary, VendorSpecificRequests) {
  char text[64] = "";
  EXPECT_EQ(Dispatch(effVendorSpecific, 7, 0, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "50.00");
  EXPECT_EQ(Dispatch(effVendorSpecific, 7, 1, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "1") << "1.5 unrounded, shown truncated";
  EXPECT_EQ(Dispatch(effVendorSpecific, 7, 0, nullptr, 0.5f), 0);
  EXPECT_EQ(Dispatch(effVendorSpecific, 7, 99, text, 0.5f), 0xBEEF);
  EXPECT_EQ(Dispatch(effVendorSpecific, 8, 1), 0xBEEF);
  EXPECT_EQ(Dispatch(effVendorSpecific, 8, 0), 0);
  EXPECT_EQ(Dispatch(effVendorSpecific, 8, 22), 0xBEEF);
  EXPECT_EQ(Dispatch(effVendorSpecific, 9, 1), 0);
}

TEST_F(PluginLibrary, PinsAndSpeakers) {
  VstPinProperties pin{};
  EXPECT_EQ(Dispatch(effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 3);
  EXPECT_STREQ(pin.label, "Input 1");
  EXPECT_EQ(Dispatch(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 1);
  EXPECT_STREQ(pin.label, "Output 2");
  EXPECT_EQ(Dispatch(effGetInputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(Dispatch(effGetInputProperties, 0, 0, nullptr), 0);

  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  ASSERT_TRUE(in && out);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(out->type, kSpeakerArrStereo);

  // A mono input arrangement disconnects input 1, which then reads zeros.
  VstSpeakerArrangement mono{};
  mono.type = kSpeakerArrMono;
  mono.numChannels = 1;
  VstSpeakerArrangement stereo{};
  stereo.numChannels = 2;
  EXPECT_EQ(Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo), 1);
  EXPECT_EQ(in->numChannels, 2) << "the stored arrangement stays";
}

TEST_F(PluginLibrary, ParameterCallbacks) {
  effect->setParameter(effect, 19, 0.5f);
  EXPECT_EQ(effect->getParameter(effect, 19), 0.5f);
  EXPECT_EQ(Text(effGetParamDisplay, 19), "50.00");
  effect->setParameter(effect, 1, 0.5f);
  EXPECT_EQ(Text(effGetParamDisplay, 1), "2");
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 1), 2.0f / 3.0f);
  EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
  EXPECT_EQ(effect->getParameter(effect, 26), 0.0f);
  effect->setParameter(effect, 26, 0.5f);
  effect->setParameter(effect, 19, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(effect->getParameter(effect, 19), 0.5f);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(PluginLibrary, OpenIdentifiesTheHostOnce) {
  host.productString = "REAPER";
  host.vendorVersion = 6000;
  Dispatch(effOpen);
  Dispatch(effOpen);
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);
  EXPECT_EQ(host.Count(audioMasterGetVendorVersion), 1);
}

TEST_F(PluginLibrary, NullObjectAnswersNothing) {
  AEffect empty{};
  EXPECT_EQ(effect->dispatcher(&empty, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect->dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect->getParameter(&empty, 0), 0.0f);
  effect->setParameter(&empty, 0, 0.5f);
  effect->processReplacing(&empty, nullptr, nullptr, 16);
}

namespace {

// Runs one replacing block of a test signal through a fresh plug-in.
struct Block {
  explicit Block(int frames, float outputFill = 0.0f)
      : left(frames), right(frames), outLeft(frames, outputFill), outRight(frames, outputFill) {
    for (int s = 0; s < frames; ++s) {
      left[s] = 0.5f * static_cast<float>(std::sin(0.05 * s));
      right[s] = 0.25f * static_cast<float>(std::cos(0.031 * s));
    }
  }
  float* in[2] = {nullptr, nullptr};
  float* out[2] = {nullptr, nullptr};
  std::vector<float> left, right, outLeft, outRight;
  float** Inputs() {
    in[0] = left.data();
    in[1] = right.data();
    return in;
  }
  float** Outputs() {
    out[0] = outLeft.data();
    out[1] = outRight.data();
    return out;
  }
};

}  // namespace

// Each plug-in draws its start-up noise from the creating thread's random
// generator, so instances compared sample by sample are made on fresh threads.
template <class Work>
void OnFreshThread(Work work) {
  std::thread thread(work);
  thread.join();
}

TEST_F(PluginLibrary, AccumulatingAddsWhatReplacingWrites) {
  Block replaced(512);
  Block accumulated(512, 0.25f);
  OnFreshThread([&] {
    AEffect* a = entry(FakeHost::Callback);
    a->processReplacing(a, replaced.Inputs(), replaced.Outputs(), 512);
    a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f);
  });
  OnFreshThread([&] {
    AEffect* b = entry(FakeHost::Callback);
    b->process(b, accumulated.Inputs(), accumulated.Outputs(), 512);
    b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f);
  });
  for (int s = 0; s < 512; ++s) {
    ASSERT_EQ(accumulated.outLeft[s], 0.25f + replaced.outLeft[s]) << s;
    ASSERT_EQ(accumulated.outRight[s], 0.25f + replaced.outRight[s]) << s;
  }
}

TEST_F(PluginLibrary, DisconnectedInputIsHeardAsSilence) {
  Block disconnected(256);
  Block silentRight(256);
  std::fill(silentRight.right.begin(), silentRight.right.end(), 0.0f);
  OnFreshThread([&] {
    AEffect* a = entry(FakeHost::Callback);
    VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    VstSpeakerArrangement stereo{};
    stereo.numChannels = 2;
    a->dispatcher(a, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo,
                  0.0f);
    a->processReplacing(a, disconnected.Inputs(), disconnected.Outputs(), 256);
    a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f);
  });
  OnFreshThread([&] {
    AEffect* b = entry(FakeHost::Callback);
    b->processReplacing(b, silentRight.Inputs(), silentRight.Outputs(), 256);
    b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f);
  });
  EXPECT_EQ(disconnected.outLeft, silentRight.outLeft);
  EXPECT_EQ(disconnected.outRight, silentRight.outRight);
}

TEST_F(PluginLibrary, InputDisconnectedAfterPlayingIsHeardAsSilence) {
  Block loud(256);
  Block silence(256);
  std::fill(silence.left.begin(), silence.left.end(), 0.0f);
  std::fill(silence.right.begin(), silence.right.end(), 0.0f);
  for (int i = 0; i < 4; ++i) effect->processReplacing(effect, loud.Inputs(), loud.Outputs(), 256);
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  VstSpeakerArrangement stereo{};
  stereo.numChannels = 2;
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo);
  Dispatch(effMainsChanged, 0, 1);
  // Two seconds: long enough for every tail of the loud blocks to die away.
  for (int i = 0; i < 345; ++i) {
    effect->processReplacing(effect, silence.Inputs(), silence.Outputs(), 256);
  }
  double sum = 0.0;
  for (float v : silence.outRight) sum += static_cast<double>(v) * v;
  EXPECT_LT(std::sqrt(sum / 256), 1e-6);
}

TEST_F(PluginLibrary, OversizedAndOddBlocksAreSafe) {
  Dispatch(effSetBlockSize, 0, 64);
  Block big(5000);
  effect->processReplacing(effect, big.Inputs(), big.Outputs(), 5000);
  for (float v : big.outLeft) ASSERT_TRUE(std::isfinite(v));
  std::vector<double> left(3000, 0.1), right(3000, -0.1), outLeft(3000), outRight(3000);
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {outLeft.data(), outRight.data()};
  effect->processDoubleReplacing(effect, in, out, 3000);
  for (double v : outRight) ASSERT_TRUE(std::isfinite(v));
  effect->processReplacing(effect, big.Inputs(), big.Outputs(), 0);
  effect->processReplacing(effect, big.Inputs(), big.Outputs(), -7);
}
