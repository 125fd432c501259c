#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One program as a .fxp file holds it: either float parameters ('FxCk') or
// the plug-in's opaque chunk ('FPCh').
struct FxProgram {
  int32_t fxId = 0;
  int32_t fxVersion = 0;
  int32_t numParams = 0;
  std::string name;  // at most 27 characters are stored
  bool isChunk = false;
  std::vector<float> params;
  std::vector<uint8_t> chunk;
};

// A whole bank as a .fxb file holds it: every program ('FxBk') or the
// plug-in's bank chunk ('FBCh'). Version 2 files also name the current
// program.
struct FxBank {
  int32_t fxId = 0;
  int32_t fxVersion = 0;
  int32_t numPrograms = 0;
  int32_t formatVersion = 2;
  int32_t currentProgram = 0;
  bool isChunk = false;
  std::vector<FxProgram> programs;
  std::vector<uint8_t> chunk;
};

// The standard VST 2 program and bank files: big-endian, a 'CcnK' header,
// the byte size of the rest, the kind of content, then the content.
class FxFiles {
 public:
  static constexpr int kProgramNameSize = 28;
  static constexpr int kBankFutureSize = 128;
  static constexpr int kProgramHeaderSize = 56;
  static constexpr int kBankHeaderSize = 156;

  static std::vector<uint8_t> EncodeProgram(const FxProgram& program);
  static std::vector<uint8_t> EncodeBank(const FxBank& bank);
  // On failure error says what is wrong with the data.
  static bool DecodeProgram(std::span<const uint8_t> bytes, FxProgram* program, std::string* error);
  static bool DecodeBank(std::span<const uint8_t> bytes, FxBank* bank, std::string* error);

  // A plug-in id as its four characters, as in 'Tovr'.
  static std::string IdText(int32_t id);

  static bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error);
  static bool WriteFile(const std::string& path, std::span<const uint8_t> bytes,
                        std::string* error);
};
