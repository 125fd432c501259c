#pragma once
#include <string>
#include <vector>

#include "NoiseBankData.h"

// Writes each table as raw little-endian 32-bit floats, its click list as
// text, and one assembly file that embeds the raw files under the tables' names.
class BankWriter {
 public:
  enum class ObjectFormat { kElf, kCoff };

  BankWriter(std::string directory, ObjectFormat format);

  bool Write(const std::vector<NoiseBankData>& banks) const;

 private:
  bool WriteSamples(const NoiseBankData& bank) const;
  bool WriteClicks(const NoiseBankData& bank) const;
  bool WriteAssembly(const std::vector<NoiseBankData>& banks) const;
  std::string PathOf(const std::string& fileName) const;

  std::string directory;
  ObjectFormat format;
};
