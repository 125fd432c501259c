#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "TestPlug.h"

namespace {

void PutName(StateChunk& chunk, const std::string& name) {
  chunk.PutInt32(static_cast<int32_t>(name.size()));
  chunk.PutBytes(name.data(), static_cast<int>(name.size()));
}

// Completes a bank of the test plug-in's four presets with unused ones.
void PutUnusedPresets(StateChunk& bank, int count) {
  for (int i = 0; i < count; ++i) {
    PutName(bank, "Spare");
    bank.PutByte(0);
  }
}

std::vector<double> Values(const IPlugBase& plug) {
  std::vector<double> values;
  for (int i = 0; i < plug.NParams(); ++i) values.push_back(plug.GetParam(i)->Value());
  return values;
}

}  // namespace

TEST(ChunkHeader, WriteAndRead) {
  StateChunk chunk;
  chunk.PutInt32(123);  // emptied by the header
  IPlugBase::WriteChunkHeader(&chunk);
  ASSERT_EQ(chunk.Size(), 8);
  const uint8_t expected[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.Data(), expected, 8), 0);
  int pos = 0;
  EXPECT_EQ(IPlugBase::ReadChunkHeader(&chunk, &pos), 0x10000);
  EXPECT_EQ(pos, 8);
}

TEST(ChunkHeader, MissingOrCutHeader) {
  StateChunk shortChunk;
  shortChunk.PutBytes("tff", 3);
  int pos = 0;
  EXPECT_EQ(IPlugBase::ReadChunkHeader(&shortChunk, &pos), 0);
  EXPECT_EQ(pos, 0);

  StateChunk noMagic;
  noMagic.PutDouble(1.0);
  EXPECT_EQ(IPlugBase::ReadChunkHeader(&noMagic, &pos), 0);
  EXPECT_EQ(pos, 0);

  StateChunk magicOnly;
  magicOnly.PutInt32(kChunkMagic);
  magicOnly.PutBytes("\x01\x00", 2);
  EXPECT_EQ(IPlugBase::ReadChunkHeader(&magicOnly, &pos), 0);
  EXPECT_EQ(pos, -1);

  pos = INT_MAX - 3;
  EXPECT_EQ(IPlugBase::ReadChunkHeader(&magicOnly, &pos), 0);
}

TEST(ParamState, RoundTripsAndClampsWithoutRounding) {
  TestPlug plug;
  plug.GetParam(0)->InitInteger("i", 0, 0, 3);
  StateChunk chunk;
  chunk.PutDouble(1.4);
  chunk.PutDouble(250.0);
  chunk.PutDouble(-1.0);
  chunk.PutDouble(12.5);
  EXPECT_EQ(plug.UnserializeParams(&chunk, 0), 32);
  EXPECT_EQ(Values(plug), (std::vector<double>{1.4, 100.0, 0.0, 12.5}));
  EXPECT_EQ(plug.changed, (std::vector<int>{0, 1, 2, 3}));

  StateChunk saved;
  ASSERT_TRUE(plug.SerializeParams(&saved));
  ASSERT_EQ(saved.Size(), 32);
  TestPlug other;
  other.GetParam(0)->InitInteger("i", 0, 0, 3);
  other.UnserializeParams(&saved, 0);
  EXPECT_EQ(Values(other), Values(plug));
}

TEST(ParamState, ShortChunkChangesNothing) {
  TestPlug plug;
  for (int i = 0; i < 4; ++i) plug.GetParam(i)->InitNumeric("p", 0, 5, 100, 0.01);
  for (int i = 0; i < 4; ++i) plug.GetParam(i)->Set(50.0);
  StateChunk chunk;
  chunk.PutDouble(60.0);
  chunk.PutBytes("\x00\x00\x00", 3);  // a cut-off second value
  EXPECT_EQ(plug.UnserializeParams(&chunk, 0), -1);
  EXPECT_EQ(Values(plug), (std::vector<double>{50.0, 50.0, 50.0, 50.0}));
  EXPECT_TRUE(plug.changed.empty());
  // One byte short of the last value is as short as any.
  StateChunk almost;
  for (int i = 0; i < 3; ++i) almost.PutDouble(70.0);
  almost.PutBytes("\x00\x00\x00\x00\x00\x00\x00", 7);
  EXPECT_EQ(plug.UnserializeParams(&almost, 0), -1);
  EXPECT_EQ(Values(plug), (std::vector<double>{50.0, 50.0, 50.0, 50.0}));
  EXPECT_EQ(plug.UnserializeParams(&almost, -1), -1);
}

TEST(ParamState, CutProgramChunkLeavesTheCurrentProgramAlone) {
  TestPlug plug;
  plug.FillFreePresets("Kept", 4);
  for (int i = 0; i < 4; ++i) plug.GetParam(i)->Set(30.0);
  plug.ModifyCurrentPreset();
  StateChunk program;
  ASSERT_TRUE(plug.SaveChunk(&program, false));
  ASSERT_TRUE(program.Resize(program.Size() - 1));
  program.Data()[8] ^= 0x40;  // the first value changes, so a partial read would show
  EXPECT_FALSE(plug.RestoreChunk(&program, false));
  EXPECT_EQ(Values(plug), (std::vector<double>{30.0, 30.0, 30.0, 30.0}));
  double stored = 0.0;
  plug.PresetState(0)->GetDouble(&stored, 0);
  EXPECT_EQ(stored, 30.0);
}

TEST(Presets, NamingAndSelection) {
  TestPlug plug;
  EXPECT_STREQ(plug.PresetNameAt(0), "empty");
  EXPECT_STREQ(plug.PresetNameAt(7), "");
  EXPECT_FALSE(plug.LoadPreset(4));
  EXPECT_FALSE(plug.LoadPreset(-1));

  plug.GetParam(1)->Set(33.0);
  ASSERT_TRUE(plug.LoadPreset(2));
  EXPECT_STREQ(plug.PresetNameAt(2), "user preset 1");
  EXPECT_EQ(plug.CurrentPreset(), 2);
  EXPECT_EQ(plug.restored, 1);
  ASSERT_TRUE(plug.LoadPreset(3));
  EXPECT_STREQ(plug.PresetNameAt(3), "user preset 2");

  // Selecting a used preset restores its values.
  plug.GetParam(1)->Set(80.0);
  ASSERT_TRUE(plug.LoadPreset(2));
  EXPECT_EQ(plug.GetParam(1)->Value(), 33.0);

  plug.ModifyCurrentPreset("");
  EXPECT_STREQ(plug.PresetNameAt(2), "user preset 1");
  plug.ModifyCurrentPreset("Bright");
  EXPECT_STREQ(plug.PresetNameAt(2), "Bright");
  plug.ModifyCurrentPreset(std::string(400, 'n').c_str());
  EXPECT_EQ(std::string(plug.PresetNameAt(2)).size(), 255u);
}

TEST(Presets, AddValuesAndFillFree) {
  TestPlug plug;
  const double values[4] = {1, 2, 3, 4};
  ASSERT_TRUE(plug.AddPresetValues("First", values));
  EXPECT_FALSE(plug.AddPresetValues("Short", std::vector<double>{1, 2}));
  plug.FillFreePresets(nullptr, 2);
  EXPECT_STREQ(plug.PresetNameAt(0), "First");
  EXPECT_STREQ(plug.PresetNameAt(1), "Empty");
  EXPECT_STREQ(plug.PresetNameAt(2), "Empty");
  EXPECT_FALSE(plug.IsPresetUsed(3));
  plug.FillFreePresets("Spare", 5);
  EXPECT_STREQ(plug.PresetNameAt(3), "Spare");
  EXPECT_EQ(plug.PresetState(0)->Size(), 32);
  EXPECT_FALSE(plug.AddPresetValues("Late", values));
}

TEST(BankChunk, LayoutAndRoundTrip) {
  TestPlug plug;
  const double a[4] = {10, 20, 30, 40};
  plug.AddPresetValues("Alpha", a);
  plug.FillFreePresets("Empty", 1);
  StateChunk bank;
  IPlugBase::WriteChunkHeader(&bank);
  ASSERT_TRUE(plug.SerializePresets(&bank));
  // Two used presets of 4 doubles, two unused named "empty".
  EXPECT_EQ(bank.Size(), 8 + (4 + 5 + 1 + 32) + (4 + 5 + 1 + 32) + 2 * (4 + 5 + 1));
  int32_t length = 0;
  bank.GetInt32(&length, 8);
  EXPECT_EQ(length, 5);
  EXPECT_EQ(std::memcmp(bank.Data() + 12, "Alpha", 5), 0);
  EXPECT_EQ(bank.Data()[17], 1);

  TestPlug copy;
  int pos = 0;
  ASSERT_EQ(IPlugBase::ReadChunkHeader(&bank, &pos), 0x10000);
  EXPECT_EQ(copy.UnserializePresets(&bank, pos), bank.Size());
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(copy.PresetNameAt(i), plug.PresetNameAt(i));
    EXPECT_EQ(copy.IsPresetUsed(i), plug.IsPresetUsed(i));
  }
  // The current preset (0) is applied at the end.
  EXPECT_EQ(Values(copy), (std::vector<double>{10, 20, 30, 40}));
}

TEST(BankChunk, UnusedPresetKeepsItsStateAndIsNamedOnSelection) {
  TestPlug plug;
  const double a[4] = {1, 1, 1, 1};
  for (int i = 0; i < 4; ++i) plug.AddPresetValues("Factory", a);
  StateChunk bank;
  for (int i = 0; i < 4; ++i) {
    PutName(bank, "Loaded");
    bank.PutByte(i == 3 ? 0 : 1);
    if (i != 3) {
      for (int p = 0; p < 4; ++p) bank.PutDouble(5.0 + i);
    }
  }
  EXPECT_EQ(plug.UnserializePresets(&bank, 0), bank.Size());
  EXPECT_FALSE(plug.IsPresetUsed(3));
  StateChunk kept;
  for (int p = 0; p < 4; ++p) kept.PutDouble(1.0);
  ASSERT_EQ(plug.PresetState(3)->Size(), 32);
  EXPECT_EQ(std::memcmp(plug.PresetState(3)->Data(), kept.Data(), 32), 0);
  ASSERT_TRUE(plug.LoadPreset(3));
  EXPECT_STREQ(plug.PresetNameAt(3), "user preset 1");
}

TEST(BankChunk, LoadedValuesAreStoredAsLimited) {
  TestPlug plug;
  StateChunk bank;
  PutName(bank, "Hot");
  bank.PutByte(1);
  for (int p = 0; p < 4; ++p) bank.PutDouble(1000.0);
  PutUnusedPresets(bank, 3);
  ASSERT_EQ(plug.UnserializePresets(&bank, 0), bank.Size());
  double stored = 0;
  plug.PresetState(0)->GetDouble(&stored, 0);
  EXPECT_EQ(stored, 100.0);
}

TEST(BankChunk, DamagedLengthsStayInsideTheChunk) {
  const int32_t lengths[] = {-100, INT_MIN, INT_MAX, 1 << 30, 9};
  for (int32_t length : lengths) {
    TestPlug plug;
    plug.FillFreePresets("Kept", 4);
    StateChunk bank;
    bank.PutInt32(length);
    bank.PutBytes("name", 4);
    bank.PutByte(1);
    EXPECT_EQ(plug.UnserializePresets(&bank, 0), -1) << length;
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(plug.PresetNameAt(i), "Kept") << length;
  }
}

TEST(BankChunk, NegativeNameLengthReadsAsAnEmptyName) {
  TestPlug plug;
  plug.FillFreePresets("Kept", 4);
  StateChunk bank;
  bank.PutInt32(-1);
  bank.PutByte(1);  // the used byte follows the length field
  for (int p = 0; p < 4; ++p) bank.PutDouble(12.0);
  PutUnusedPresets(bank, 3);
  EXPECT_EQ(plug.UnserializePresets(&bank, 0), bank.Size());
  EXPECT_STREQ(plug.PresetNameAt(0), "");
  EXPECT_STREQ(plug.PresetNameAt(3), "Spare");
  EXPECT_EQ(Values(plug), (std::vector<double>{12, 12, 12, 12}));
}

TEST(BankChunk, EveryCutOfABankChangesNothing) {
  TestPlug source;
  const double values[4] = {10, 20, 30, 40};
  source.AddPresetValues("One", values);
  source.AddPresetValues("Two", values);
  source.FillFreePresets("Three", 2);
  StateChunk whole;
  ASSERT_TRUE(source.SaveChunk(&whole, true));
  for (int size = 0; size < whole.Size(); ++size) {
    TestPlug plug;
    plug.FillFreePresets("Kept", 4);
    for (int i = 0; i < 4; ++i) plug.GetParam(i)->Set(55.0);
    plug.changed.clear();
    StateChunk cut;
    cut.PutBytes(whole.Data(), size);
    EXPECT_FALSE(plug.RestoreChunk(&cut, true)) << size;
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(plug.PresetNameAt(i), "Kept") << size;
    EXPECT_EQ(Values(plug), (std::vector<double>{55, 55, 55, 55})) << size;
    EXPECT_TRUE(plug.changed.empty()) << size;
  }
  TestPlug plug;
  EXPECT_TRUE(plug.RestoreChunk(&whole, true));
  EXPECT_STREQ(plug.PresetNameAt(1), "Two");
}

TEST(BankChunk, NamesStopAtZeroAndAreCut) {
  TestPlug plug;
  StateChunk bank;
  PutName(bank, "First");
  bank.PutByte(1);
  for (int p = 0; p < 4; ++p) bank.PutDouble(1.0);
  std::string withZero("ab\0cd", 5);
  PutName(bank, withZero);
  bank.PutByte(0);
  PutName(bank, std::string(300, 'q'));
  bank.PutByte(0);
  PutUnusedPresets(bank, 1);
  ASSERT_EQ(plug.UnserializePresets(&bank, 0), bank.Size());
  EXPECT_STREQ(plug.PresetNameAt(1), "ab");
  EXPECT_EQ(std::string(plug.PresetNameAt(2)), std::string(255, 'q'));
}
