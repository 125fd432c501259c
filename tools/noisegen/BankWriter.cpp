#include "BankWriter.h"

#include <cstdint>
#include <cstring>
#include <fstream>

BankWriter::BankWriter(std::string directory, ObjectFormat format)
    : directory(std::move(directory)), format(format) {}

bool BankWriter::Write(const std::vector<NoiseBankData>& banks) const {
  for (const NoiseBankData& bank : banks) {
    if (!WriteSamples(bank) || !WriteClicks(bank)) return false;
  }
  return WriteAssembly(banks);
}

std::string BankWriter::PathOf(const std::string& fileName) const {
  return directory + "/" + fileName;
}

bool BankWriter::WriteSamples(const NoiseBankData& bank) const {
  std::vector<unsigned char> bytes(bank.samples.size() * 4);
  for (size_t i = 0; i < bank.samples.size(); ++i) {
    const float value = static_cast<float>(bank.samples[i]);
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int b = 0; b < 4; ++b) bytes[i * 4 + b] = static_cast<unsigned char>(bits >> (8 * b));
  }
  std::ofstream out(PathOf(bank.name + ".f32"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool BankWriter::WriteClicks(const NoiseBankData& bank) const {
  std::ofstream out(PathOf(bank.name + ".clicks"));
  for (long onset : bank.clickOnsets) out << onset << '\n';
  return static_cast<bool>(out);
}

bool BankWriter::WriteAssembly(const std::vector<NoiseBankData>& banks) const {
  std::ofstream out(PathOf("noise_banks.S"));
  const bool elf = format == ObjectFormat::kElf;
  out << (elf ? "  .section .rodata\n" : "  .section .rdata,\"dr\"\n");
  for (const NoiseBankData& bank : banks) {
    const std::string& name = bank.name;
    out << "  .balign 16\n  .globl " << name << '\n';
    if (elf) {
      out << "  .type " << name << ", @object\n  .size " << name << ", " << bank.samples.size() * 4
          << '\n';
    }
    out << name << ":\n  .incbin \"" << PathOf(name + ".f32") << "\"\n";
  }
  if (elf) out << "  .section .note.GNU-stack,\"\",@progbits\n";
  return static_cast<bool>(out);
}
