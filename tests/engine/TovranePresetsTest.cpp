#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "vst2/Tovrane.h"

namespace {

std::vector<double> StoredValues(const StateChunk* state) {
  std::vector<double> values;
  double v = 0;
  for (int pos = 0; (pos = state->GetDouble(&v, pos)) > 0;) values.push_back(v);
  return values;
}

const char* const kNames[16] = {"init",
                                "Bass guitar heavy",
                                "Drum loop cassette",
                                "Drum loop lo-fi",
                                "Drum loop vinyl",
                                "Enhance drums",
                                "Kestravon tape",
                                "Overdrive",
                                "Synth enhancer",
                                "Synth quad",
                                "Synth widener",
                                "Vinyl rain piano",
                                "Warm rhodes",
                                "Warm rhodes 2",
                                "Wide drums",
                                "Wide rich overdrive"};

}  // namespace

TEST(TovranePresets, AllSixteenInOrder) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(plug.IsPresetUsed(i)) << i;
    EXPECT_STREQ(plug.PresetNameAt(i), kNames[i]);
    EXPECT_EQ(plug.PresetState(i)->Size(), 26 * 8) << i;
  }
  EXPECT_EQ(plug.CurrentPreset(), 0);
}

TEST(TovranePresets, InitHoldsTheDefaults) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  const std::vector<double> init = StoredValues(plug.PresetState(0));
  ASSERT_EQ(init.size(), 26u);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(init[i], plug.GetParam(i)->Default()) << i;
  EXPECT_EQ(init[kSpare14], 1.0);
  EXPECT_EQ(init[kSpeed], 100.0);
}

TEST(TovranePresets, FactoryValuesSampled) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  const std::vector<double> bass = StoredValues(plug.PresetState(1));
  ASSERT_EQ(bass.size(), 26u);
  EXPECT_EQ(bass[kInputGain], 67.19);
  EXPECT_EQ(bass[kNoiseDynamic], 78.13);
  EXPECT_EQ(bass[kNoiseType], 1.0);
  EXPECT_EQ(bass[kOutputGain], 34.38);
  EXPECT_EQ(bass[kQuadDelay], 19.53);
  EXPECT_EQ(bass[kSpeed], 100.0);
  EXPECT_EQ(bass[kSpare14], 0.0) << "factory presets set parameter 14 to 0";

  const std::vector<double> widener = StoredValues(plug.PresetState(10));
  EXPECT_EQ(widener[kProfile], 3.0);
  EXPECT_EQ(widener[kWow], 75.39);

  const std::vector<double> rhodes2 = StoredValues(plug.PresetState(13));
  EXPECT_EQ(rhodes2[kSpeed], 0.0);
  EXPECT_EQ(rhodes2[kAge], 67.19);

  const std::vector<double> rich = StoredValues(plug.PresetState(15));
  EXPECT_EQ(rich[kWow], 71.95);
  EXPECT_EQ(rich[kQuadMix], 50.0);
  for (int i : {14, 15, 16, 17, 18, 22, 23, 24, 25}) EXPECT_EQ(rich[i], 0.0) << i;
}

TEST(TovranePresets, SelectingAFactoryPresetAppliesIt) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  ASSERT_TRUE(plug.LoadPreset(13));
  EXPECT_EQ(plug.GetParam(kSpeed)->Value(), 0.0);
  EXPECT_EQ(plug.GetParam(kProfile)->Value(), 2.0);
  EXPECT_EQ(plug.GetParam(kPower)->Value(), 0.0);
  EXPECT_EQ(plug.CurrentPreset(), 13);
}

TEST(TovraneChunks, ProgramChunkIs216Bytes) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  StateChunk chunk;
  IPlugBase::WriteChunkHeader(&chunk);
  ASSERT_TRUE(plug.SaveState(&chunk));
  ASSERT_EQ(chunk.Size(), 216);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.Data(), header, 8), 0);
  double wide = 0;
  chunk.GetDouble(&wide, 8 + 8 * kWide);
  EXPECT_EQ(wide, 20.0);
}

TEST(TovraneChunks, ProgramChunkRestoresAnotherInstance) {
  auto sourceOwner = std::make_unique<Tovrane>();
  Tovrane& source = *sourceOwner;
  source.LoadPreset(9);
  StateChunk chunk;
  IPlugBase::WriteChunkHeader(&chunk);
  source.SaveState(&chunk);

  auto targetOwner = std::make_unique<Tovrane>();

  Tovrane& target = *targetOwner;
  int pos = 0;
  ASSERT_EQ(IPlugBase::ReadChunkHeader(&chunk, &pos), 0x10000);
  EXPECT_EQ(target.LoadState(&chunk, pos), 216);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(target.GetParam(i)->Value(), source.GetParam(i)->Value());
}

TEST(TovraneChunks, ShortProgramChunkSetsNothing) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  const double profile = plug.GetParam(kProfile)->Value();
  const double age = plug.GetParam(kAge)->Value();
  StateChunk chunk;
  IPlugBase::WriteChunkHeader(&chunk);
  for (int i = 0; i < 10; ++i) chunk.PutDouble(1000.0);
  int pos = 0;
  IPlugBase::ReadChunkHeader(&chunk, &pos);
  EXPECT_EQ(plug.LoadState(&chunk, pos), -1);
  EXPECT_EQ(plug.GetParam(kProfile)->Value(), profile);
  EXPECT_EQ(plug.GetParam(kAge)->Value(), age);
  EXPECT_EQ(plug.GetParam(kWide)->Value(), 20.0);
  EXPECT_EQ(plug.GetParam(kSpeed)->Value(), 100.0);
}

TEST(TovraneChunks, BankCarriesAllSixteenNames) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  StateChunk bank;
  IPlugBase::WriteChunkHeader(&bank);
  plug.ModifyCurrentPreset();
  ASSERT_TRUE(plug.SerializePresets(&bank));
  int expected = 8;
  for (const char* name : kNames) expected += 4 + static_cast<int>(std::strlen(name)) + 1 + 208;
  ASSERT_EQ(bank.Size(), expected);

  int pos = 8;
  for (const char* name : kNames) {
    int32_t length = 0;
    pos = bank.GetInt32(&length, pos);
    ASSERT_EQ(length, static_cast<int32_t>(std::strlen(name)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.Data()) + pos, length), name);
    pos += length;
    EXPECT_EQ(bank.Data()[pos], 1);
    pos += 1 + 208;
  }
  EXPECT_EQ(pos, bank.Size());

  auto copyOwner = std::make_unique<Tovrane>();

  Tovrane& copy = *copyOwner;
  copy.LoadPreset(5);
  int readPos = 0;
  ASSERT_EQ(IPlugBase::ReadChunkHeader(&bank, &readPos), 0x10000);
  EXPECT_EQ(copy.UnserializePresets(&bank, readPos), bank.Size());
  // The current preset (5) is applied from the loaded bank.
  EXPECT_EQ(copy.GetParam(kInputGain)->Value(), 44.92);
}

TEST(TovraneChunks, HostChunkRequests) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  StateChunk program;
  ASSERT_TRUE(plug.SaveChunk(&program, false));
  EXPECT_EQ(program.Size(), 216);

  // A program chunk without the header is read as values from byte 0, and
  // the current preset takes the loaded values.
  StateChunk headerless;
  for (int i = 0; i < 26; ++i) headerless.PutDouble(i == kWide ? 70.0 : 0.0);
  EXPECT_TRUE(plug.RestoreChunk(&headerless, false));
  EXPECT_EQ(plug.GetParam(kWide)->Value(), 70.0);
  double stored = 0;
  plug.PresetState(0)->GetDouble(&stored, 8 * kWide);
  EXPECT_EQ(stored, 70.0);

  // A bank request without a valid header is read as a program.
  StateChunk programBody;
  programBody.PutBytes(program.Data() + 8, program.Size() - 8);
  EXPECT_TRUE(plug.RestoreChunk(&programBody, true));
  EXPECT_EQ(plug.GetParam(kWide)->Value(), 20.0);

  // A cut chunk changes nothing and reports failure.
  const double inputGain = plug.GetParam(kInputGain)->Value();
  StateChunk cut;
  IPlugBase::WriteChunkHeader(&cut);
  cut.PutDouble(80.0);
  EXPECT_FALSE(plug.RestoreChunk(&cut, false));
  EXPECT_EQ(plug.GetParam(kInputGain)->Value(), inputGain);
  plug.PresetState(0)->GetDouble(&stored, 8 * kWide);
  EXPECT_EQ(stored, 20.0) << "the current program keeps what it held";

  StateChunk bank;
  ASSERT_TRUE(plug.SaveChunk(&bank, true));
  StateChunk cutBank;
  cutBank.PutBytes(bank.Data(), bank.Size() - 1);
  EXPECT_FALSE(plug.RestoreChunk(&cutBank, true));
  EXPECT_TRUE(plug.RestoreChunk(&bank, true));
}
