// The VST 3 module's state: the VST 2 library's bank chunk, byte for byte,
// through host streams whole or in pieces; refused when bad, with nothing
// changed; and a session's sound brought back in a new instance.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Vst3Renders.h"
#include "core/FxFiles.h"
#include "host/MemoryStream.h"
#include "product/TovraneParams.h"

using namespace validation;

namespace {

constexpr float kWowValue = 0.25f;

// The VST 2 library's bank chunk with `program` current and its "Wow" moved.
std::vector<uint8_t> Vst2Bank(int program) {
  AEffect* effect = CreateEffect();
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, program);
  effect->setParameter(effect, kWow, kWowValue);
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effect, effGetChunk, 0, 0, &data);
  std::vector<uint8_t> bank;
  if (size > 0 && data) bank.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  Dispatch(effect, effClose);
  return bank;
}

void LoadVst2Bank(AEffect* effect, const std::vector<uint8_t>& bank) {
  Dispatch(effect, effSetChunk, 0, static_cast<VstIntPtr>(bank.size()),
           const_cast<uint8_t*>(bank.data()));
}

// What the component's getState writes, through a stream of at most
// `perCall` bytes a write (0: any).
std::vector<uint8_t> StateOf(Vst3Host& host, vst3::int32 perCall = 0) {
  MemoryStream stream;
  stream.SetMaxBytesPerCall(perCall);
  EXPECT_EQ(host.Component()->getState(&stream), vst3::kResultOk);
  return stream.Bytes();
}

vst3::tresult LoadState(Vst3Host& host, const std::vector<uint8_t>& bytes, vst3::int32 perCall = 0) {
  MemoryStream stream(bytes);
  stream.SetMaxBytesPerCall(perCall);
  return host.Component()->setState(&stream);
}

// The VST 3 state: the VST 2 bank chunk, then the record of the program played.
// Its code 'cprg' and the program's index are stored little-endian.
std::vector<uint8_t> WithProgram(std::vector<uint8_t> bank, int32_t program) {
  bank.insert(bank.end(), {'g', 'r', 'p', 'c'});
  for (int shift = 0; shift < 32; shift += 8) bank.push_back(static_cast<uint8_t>(program >> shift));
  return bank;
}

class Vst3State : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.Failure(), ""); }
  Vst3Host host{KESTRAVON_VST3_MODULE_PATH};
};

}  // namespace

TEST_F(Vst3State, IsTheVst2BankChunkThenTheProgramPlayed) {
  const std::vector<uint8_t> fresh = Vst2Bank(0);
  ASSERT_FALSE(fresh.empty());
  // A new instance's state is a new VST 2 effect's bank, "Wow" apart.
  AEffect* effect = CreateEffect();
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, 0);
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effect, effGetChunk, 0, 0, &data);
  const std::vector<uint8_t> untouched(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  Dispatch(effect, effClose);
  EXPECT_EQ(StateOf(host), WithProgram(untouched, 0));

  const std::vector<uint8_t> bank = Vst2Bank(0);
  ASSERT_EQ(LoadState(host, bank), vst3::kResultOk);
  EXPECT_EQ(StateOf(host), WithProgram(bank, 0));
  // The controller is the same object: it shows the values the state set,
  // as the VST 2 effect that loads the bank does.
  AEffect* reference = CreateEffect();
  StartEffect(reference, static_cast<float>(kReferenceRate), kBlock, 0);
  LoadVst2Bank(reference, bank);
  ASSERT_EQ(reference->getParameter(reference, kWow), kWowValue);
  for (int id : {kWow, kInputGain, kProfile, kNoiseType, kOutputGain}) {
    EXPECT_FLOAT_EQ(static_cast<float>(host.Controller()->getParamNormalized(id)),
                    reference->getParameter(reference, id))
        << "parameter " << id;
  }
  EXPECT_EQ(host.Controller()->getParamNormalized(kProgramChangeId),
            ProgramValue(static_cast<int>(Dispatch(reference, effGetProgram))));
  Dispatch(reference, effClose);
}

// Hosts and file streams may move a few bytes a call; the state must not
// depend on it.
TEST_F(Vst3State, StreamsMovingAFewBytesACallCarryTheSameState) {
  const std::vector<uint8_t> bank = Vst2Bank(11);
  for (vst3::int32 perCall : {1, 3, 7}) {
    SCOPED_TRACE(perCall);
    ASSERT_EQ(LoadState(host, bank, perCall), vst3::kResultOk);
    EXPECT_EQ(StateOf(host, perCall), WithProgram(bank, 0));
    ASSERT_EQ(LoadState(host, Vst2Bank(0)), vst3::kResultOk);
  }
}

TEST_F(Vst3State, BadStatesAreRefusedAndChangeNothing) {
  ASSERT_EQ(LoadState(host, Vst2Bank(4)), vst3::kResultOk);
  const std::vector<uint8_t> kept = StateOf(host);
  const std::vector<uint8_t> other = Vst2Bank(12);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
  for (size_t length : {size_t{0}, size_t{1}, size_t{8}, other.size() / 2, other.size() - 1}) {
    bad.push_back({"cut to " + std::to_string(length) + " bytes",
                   std::vector<uint8_t>(other.begin(), other.begin() + length)});
  }
  std::vector<uint8_t> garbage(other.size());
  uint32_t seed = 99;
  for (uint8_t& byte : garbage) byte = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
  bad.push_back({"garbage", garbage});
  std::vector<uint8_t> renamed = other;
  for (size_t i = 0; i < 4 && i < renamed.size(); ++i) renamed[i] ^= 0x20;
  bad.push_back({"first four bytes changed", renamed});
  for (const auto& [what, bytes] : bad) {
    SCOPED_TRACE(what);
    EXPECT_NE(LoadState(host, bytes), vst3::kResultOk);
    EXPECT_EQ(StateOf(host), kept);
  }
  EXPECT_EQ(host.Component()->setState(nullptr), vst3::kInvalidArgument);
}

// The bank a VST 2 session saved, loaded as a VST 3 state, plays as a new
// VST 2 effect that loads it.
TEST(Vst3StateSound, TheVst2BankPlaysAsInVst2) {
  const std::vector<uint8_t> bank = Vst2Bank(0);
  Vst3RenderSetup setup;
  setup.beforeStart = [&bank](Vst3Host& host) {
    EXPECT_EQ(LoadState(host, bank), vst3::kResultOk);
  };
  const Render<float> vst3 = RenderVst3<float>(setup, Signal());
  const Render<float> vst2 = RenderVst2<float>(
      Plan(0), Signal(), {{0, [&bank](AEffect* e) { LoadVst2Bank(e, bank); }}});
  EXPECT_TRUE(SameRender(vst2, vst3));
  EXPECT_FALSE(SameRender(vst3, RenderVst3<float>(Vst3RenderSetup{}, Signal())));
}

// A session saved from a played instance and opened in a new one has the
// program and the settings it was saved with, and plays them.
TEST(Vst3StateSound, ASavedStateReopensTheSameSound) {
  const std::vector<Vst3Change> settings = {
      {0, kWow, 0.42}, {0, kProfile, 2.0 / 3.0}, {0, kNoiseType, 0.75}, {0, kNoiseAmp, 0.185}};
  constexpr int kProgram = 8;
  std::vector<uint8_t> saved;
  std::vector<double> values;
  {
    Vst3Host played(KESTRAVON_VST3_MODULE_PATH);
    ASSERT_EQ(played.Failure(), "");
    ASSERT_EQ(played.Start(kReferenceRate, kBlock, vst3::kSample32), vst3::kResultOk);
    ParameterChanges changes;
    changes.Add(kProgramChangeId, 0, ProgramValue(kProgram));
    ASSERT_EQ(played.Flush(&changes), vst3::kResultOk);
    changes.Clear();
    for (const Vst3Change& c : settings) changes.Add(c.id, c.frame, c.value);
    std::vector<float> left(kBlock, 0.1f), right(kBlock, -0.1f);
    float* io[2] = {left.data(), right.data()};
    ASSERT_EQ(played.Process(io, io, kBlock, &changes), vst3::kResultOk);
    saved = StateOf(played, 5);
    for (vst3::ParamID id = 0; id <= kProgramChangeId; ++id) {
      values.push_back(played.Controller()->getParamNormalized(id));
    }
  }
  Vst3Host reopened(KESTRAVON_VST3_MODULE_PATH);
  ASSERT_EQ(LoadState(reopened, saved, 3), vst3::kResultOk);
  for (vst3::ParamID id : {vst3::ParamID{kWow}, vst3::ParamID{kProfile}, vst3::ParamID{kNoiseType},
                          vst3::ParamID{kNoiseAmp}, vst3::ParamID{kInputGain}, kProgramChangeId}) {
    EXPECT_EQ(reopened.Controller()->getParamNormalized(id), values[id]) << "parameter " << id;
  }

  Vst3RenderSetup restored;
  restored.beforeStart = [&saved](Vst3Host& host) { LoadState(host, saved); };
  Vst3RenderSetup direct;
  direct.changes = settings;
  direct.changes.push_back({0, kProgramChangeId, ProgramValue(kProgram), true});
  const Render<float> sound = RenderVst3<float>(restored, Signal());
  EXPECT_TRUE(SameRender(sound, RenderVst3<float>(direct, Signal())));
  EXPECT_FALSE(SameRender(sound, RenderVst3<float>(Vst3RenderSetup{}, Signal())));
}

// What a host kept of a session with the VST 2 plug-in, which saves no
// chunk of its own: the values it read, as a program or bank file, behind
// the host's own header when `wrapped`.
std::vector<uint8_t> HostHeader(std::vector<uint8_t> file, bool wrapped) {
  if (wrapped) file.insert(file.begin(), {'V', 's', 't', 'W', 0, 0, 0, 8, 0, 0, 0, 1, 0, 0, 0, 0});
  return file;
}

FxProgram Vst2ProgramValues(AEffect* effect, const char* name) {
  FxProgram program;
  program.fxId = effect->uniqueID;
  program.fxVersion = effect->version;
  program.numParams = effect->numParams;
  program.name = name;
  for (int i = 0; i < effect->numParams; ++i) program.params.push_back(effect->getParameter(effect, i));
  return program;
}

TEST(Vst3StateSound, AVst2SessionAHostKeptPlaysAsInVst2) {
  constexpr int kProgram = 6;
  AEffect* effect = CreateEffect();
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, kProgram);
  effect->setParameter(effect, kWow, kWowValue);
  const FxProgram edited = Vst2ProgramValues(effect, "edited");
  FxBank bank;
  bank.fxId = effect->uniqueID;
  bank.numPrograms = effect->numPrograms;
  bank.currentProgram = kProgram;
  for (int p = 0; p < effect->numPrograms; ++p) {
    Dispatch(effect, effSetProgram, 0, p);
    bank.programs.push_back(p == kProgram ? edited : Vst2ProgramValues(effect, "factory"));
  }
  Dispatch(effect, effClose);
  const Render<float> vst2 = RenderVst2<float>(
      Plan(kProgram), Signal(), {{0, [](AEffect* e) { e->setParameter(e, kWow, kWowValue); }}});

  for (bool wrapped : {true, false}) {
    SCOPED_TRACE(wrapped ? "behind the host's header" : "the file alone");
    for (const std::vector<uint8_t>& kept :
         {FxFiles::EncodeProgram(edited), FxFiles::EncodeBank(bank)}) {
      Vst3RenderSetup setup;
      // The program file sets the values played on the program it finds.
      if (kept.size() < FxFiles::kBankHeaderSize) {
        setup.changes.push_back({0, kProgramChangeId, ProgramValue(kProgram), true});
      }
      const std::vector<uint8_t> state = HostHeader(kept, wrapped);
      setup.beforeStart = [&state](Vst3Host& host) {
        EXPECT_EQ(LoadState(host, state), vst3::kResultOk);
      };
      EXPECT_TRUE(SameRender(vst2, RenderVst3<float>(setup, Signal())));
    }
  }

  Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
  const std::vector<uint8_t> before = StateOf(host);
  FxProgram stranger = edited;
  stranger.fxId ^= 1;
  FxProgram missing = edited;
  missing.params.pop_back();
  missing.numParams -= 1;
  const std::vector<uint8_t> whole = FxFiles::EncodeBank(bank);
  for (const std::vector<uint8_t>& bad :
       {FxFiles::EncodeProgram(stranger), FxFiles::EncodeProgram(missing),
        std::vector<uint8_t>(whole.begin(), whole.end() - 1), HostHeader({}, true)}) {
    EXPECT_NE(LoadState(host, HostHeader(bad, true)), vst3::kResultOk);
    EXPECT_EQ(StateOf(host), before);
  }
}

// In one object the component's state is all there is: the controller's own
// state is empty, and the component's state it is given is the same bank.
TEST_F(Vst3State, TheControllerKeepsNoStateOfItsOwn) {
  MemoryStream empty;
  EXPECT_EQ(host.Controller()->getState(&empty), vst3::kResultOk);
  EXPECT_TRUE(empty.Bytes().empty());
  EXPECT_EQ(host.Controller()->setState(&empty), vst3::kResultOk);
  MemoryStream bank(Vst2Bank(7));
  EXPECT_EQ(host.Controller()->setComponentState(&bank), vst3::kResultOk);
}
