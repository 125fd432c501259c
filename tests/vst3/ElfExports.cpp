#include "ElfExports.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<char> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A copy of the record at offset, if the file holds all of it.
template <typename Record>
bool ReadRecord(const std::vector<char>& bytes, size_t offset, Record& record) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(Record)) return false;
  std::memcpy(&record, bytes.data() + offset, sizeof(Record));
  return true;
}

bool IsExported(const Elf64_Sym& symbol) {
  const unsigned binding = ELF64_ST_BIND(symbol.st_info);
  const bool visible = binding == STB_GLOBAL || binding == STB_WEAK || binding == STB_GNU_UNIQUE;
  return visible && symbol.st_shndx != SHN_UNDEF;
}

}  // namespace

std::set<std::string> ElfExports::Read(const std::string& path) {
  const std::vector<char> bytes = ReadFile(path);
  std::set<std::string> names;
  Elf64_Ehdr header;
  if (!ReadRecord(bytes, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64) {
    return names;
  }
  for (size_t s = 0; s < header.e_shnum; ++s) {
    Elf64_Shdr table, strings;
    if (!ReadRecord(bytes, header.e_shoff + s * header.e_shentsize, table) ||
        table.sh_type != SHT_DYNSYM ||
        !ReadRecord(bytes, header.e_shoff + table.sh_link * header.e_shentsize, strings)) {
      continue;
    }
    for (size_t offset = table.sh_offset; offset + sizeof(Elf64_Sym) <= table.sh_offset + table.sh_size;
         offset += sizeof(Elf64_Sym)) {
      Elf64_Sym symbol;
      if (!ReadRecord(bytes, offset, symbol) || !IsExported(symbol)) continue;
      const size_t name = strings.sh_offset + symbol.st_name;
      if (name >= bytes.size()) continue;
      names.insert(std::string(bytes.data() + name, strnlen(bytes.data() + name, bytes.size() - name)));
    }
  }
  return names;
}
