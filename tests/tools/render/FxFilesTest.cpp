#include <gtest/gtest.h>

#include <string>

#include "core/FxFiles.h"

namespace {

uint32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return (uint32_t{bytes.at(at)} << 24) | (uint32_t{bytes.at(at + 1)} << 16) |
         (uint32_t{bytes.at(at + 2)} << 8) | uint32_t{bytes.at(at + 3)};
}

std::string TextAt(const std::vector<uint8_t>& bytes, size_t at, size_t size) {
  return std::string(bytes.begin() + at, bytes.begin() + at + size);
}

FxProgram ParamProgram(const std::string& name) {
  FxProgram program;
  program.fxId = 0x546f7672;  // 'Tovr'
  program.fxVersion = 10000;
  program.numParams = 3;
  program.name = name;
  program.params = {0.5f, 1.0f, 0.0f};
  return program;
}

TEST(FxFilesTest, ParameterProgramHasTheStandardBigEndianLayout) {
  const auto bytes = FxFiles::EncodeProgram(ParamProgram("init"));
  ASSERT_EQ(bytes.size(), 56u + 3 * 4);
  EXPECT_EQ(TextAt(bytes, 0, 4), "CcnK");
  EXPECT_EQ(BigEndianAt(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(TextAt(bytes, 8, 4), "FxCk");
  EXPECT_EQ(BigEndianAt(bytes, 12), 1u);
  EXPECT_EQ(TextAt(bytes, 16, 4), "Tovr");
  EXPECT_EQ(BigEndianAt(bytes, 20), 10000u);
  EXPECT_EQ(BigEndianAt(bytes, 24), 3u);
  EXPECT_EQ(TextAt(bytes, 28, 28), std::string("init") + std::string(24, '\0'));
  EXPECT_EQ(BigEndianAt(bytes, 56), 0x3f000000u);  // 0.5f
  EXPECT_EQ(BigEndianAt(bytes, 60), 0x3f800000u);  // 1.0f
  EXPECT_EQ(BigEndianAt(bytes, 64), 0u);
}

TEST(FxFilesTest, ChunkProgramStoresSizeThenBytes) {
  FxProgram program = ParamProgram("chunky");
  program.isChunk = true;
  program.params.clear();
  program.chunk = {1, 2, 3, 4, 5};
  const auto bytes = FxFiles::EncodeProgram(program);
  ASSERT_EQ(bytes.size(), 56u + 4 + 5);
  EXPECT_EQ(TextAt(bytes, 8, 4), "FPCh");
  EXPECT_EQ(BigEndianAt(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(BigEndianAt(bytes, 56), 5u);
  EXPECT_EQ(bytes.back(), 5);

  FxProgram decoded;
  std::string error;
  ASSERT_TRUE(FxFiles::DecodeProgram(bytes, &decoded, &error)) << error;
  EXPECT_TRUE(decoded.isChunk);
  EXPECT_EQ(decoded.chunk, program.chunk);
  EXPECT_EQ(decoded.name, "chunky");
  EXPECT_EQ(decoded.numParams, 3);
}

TEST(FxFilesTest, ProgramNameIsCutToFitWithItsTerminator) {
  const auto bytes = FxFiles::EncodeProgram(ParamProgram(std::string(40, 'x')));
  EXPECT_EQ(TextAt(bytes, 28, 28), std::string(27, 'x') + '\0');
  FxProgram decoded;
  std::string error;
  ASSERT_TRUE(FxFiles::DecodeProgram(bytes, &decoded, &error));
  EXPECT_EQ(decoded.name, std::string(27, 'x'));
}

TEST(FxFilesTest, ParameterBankVersion2CarriesCurrentProgramAndWholePrograms) {
  FxBank bank;
  bank.fxId = 0x546f7672;
  bank.fxVersion = 7;
  bank.currentProgram = 1;
  bank.programs = {ParamProgram("one"), ParamProgram("two")};
  bank.numPrograms = 2;
  const auto bytes = FxFiles::EncodeBank(bank);
  const size_t programSize = 56 + 3 * 4;
  ASSERT_EQ(bytes.size(), 156 + 2 * programSize);
  EXPECT_EQ(TextAt(bytes, 0, 4), "CcnK");
  EXPECT_EQ(BigEndianAt(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(TextAt(bytes, 8, 4), "FxBk");
  EXPECT_EQ(BigEndianAt(bytes, 12), 2u);
  EXPECT_EQ(TextAt(bytes, 16, 4), "Tovr");
  EXPECT_EQ(BigEndianAt(bytes, 20), 7u);
  EXPECT_EQ(BigEndianAt(bytes, 24), 2u);
  EXPECT_EQ(BigEndianAt(bytes, 28), 1u);
  EXPECT_EQ(TextAt(bytes, 32, 124), std::string(124, '\0'));
  EXPECT_EQ(TextAt(bytes, 156, 4), "CcnK");
  EXPECT_EQ(TextAt(bytes, 156 + 8, 4), "FxCk");
  EXPECT_EQ(TextAt(bytes, 156 + programSize + 28, 3), "two");

  FxBank decoded;
  std::string error;
  ASSERT_TRUE(FxFiles::DecodeBank(bytes, &decoded, &error)) << error;
  EXPECT_EQ(decoded.currentProgram, 1);
  ASSERT_EQ(decoded.programs.size(), 2u);
  EXPECT_EQ(decoded.programs[1].name, "two");
  EXPECT_EQ(decoded.programs[0].params, bank.programs[0].params);
  EXPECT_EQ(FxFiles::EncodeBank(decoded), bytes);
}

TEST(FxFilesTest, ChunkBankStoresSizeAfterTheHeader) {
  FxBank bank;
  bank.fxId = 42;
  bank.numPrograms = 16;
  bank.isChunk = true;
  bank.chunk = std::vector<uint8_t>(300, 7);
  const auto bytes = FxFiles::EncodeBank(bank);
  ASSERT_EQ(bytes.size(), 156u + 4 + 300);
  EXPECT_EQ(TextAt(bytes, 8, 4), "FBCh");
  EXPECT_EQ(BigEndianAt(bytes, 24), 16u);
  EXPECT_EQ(BigEndianAt(bytes, 156), 300u);
  FxBank decoded;
  std::string error;
  ASSERT_TRUE(FxFiles::DecodeBank(bytes, &decoded, &error)) << error;
  EXPECT_EQ(decoded.chunk, bank.chunk);
  EXPECT_EQ(decoded.numPrograms, 16);
}

TEST(FxFilesTest, Version1BankHasNoCurrentProgram) {
  FxBank bank;
  bank.formatVersion = 1;
  bank.currentProgram = 5;
  bank.programs = {ParamProgram("a")};
  bank.numPrograms = 1;
  const auto bytes = FxFiles::EncodeBank(bank);
  EXPECT_EQ(BigEndianAt(bytes, 28), 0u);
  FxBank decoded;
  std::string error;
  ASSERT_TRUE(FxFiles::DecodeBank(bytes, &decoded, &error));
  EXPECT_EQ(decoded.currentProgram, 0);
}

TEST(FxFilesTest, EveryTruncationIsRejectedWithoutReadingPastTheEnd) {
  FxBank bank;
  bank.programs = {ParamProgram("a"), ParamProgram("b")};
  bank.numPrograms = 2;
  const auto bankBytes = FxFiles::EncodeBank(bank);
  const auto programBytes = FxFiles::EncodeProgram(ParamProgram("p"));
  std::string error;
  for (size_t size = 0; size < bankBytes.size(); ++size) {
    FxBank decoded;
    EXPECT_FALSE(FxFiles::DecodeBank({bankBytes.data(), size}, &decoded, &error)) << size;
  }
  for (size_t size = 0; size < programBytes.size(); ++size) {
    FxProgram decoded;
    EXPECT_FALSE(FxFiles::DecodeProgram({programBytes.data(), size}, &decoded, &error)) << size;
  }
}

TEST(FxFilesTest, RejectsWrongKindsAndBogusCounts) {
  std::string error;
  FxProgram program;
  FxBank bank;
  bank.programs = {ParamProgram("a")};
  bank.numPrograms = 1;
  auto bankBytes = FxFiles::EncodeBank(bank);
  EXPECT_FALSE(FxFiles::DecodeProgram(bankBytes, &program, &error));
  EXPECT_NE(error.find("bank"), std::string::npos);

  const auto programBytes = FxFiles::EncodeProgram(ParamProgram("p"));
  FxBank decodedBank;
  EXPECT_FALSE(FxFiles::DecodeBank(programBytes, &decodedBank, &error));
  EXPECT_NE(error.find("program"), std::string::npos);

  // A huge program count must fail on the data, not allocate for it.
  bankBytes[24] = 0x7f;
  EXPECT_FALSE(FxFiles::DecodeBank(bankBytes, &decodedBank, &error));

  auto badMagic = programBytes;
  badMagic[0] = 'X';
  EXPECT_FALSE(FxFiles::DecodeProgram(badMagic, &program, &error));
}

}  // namespace
