#pragma once
#include <set>
#include <string>

// The names an ELF shared library exports: the defined global and weak
// symbols of its dynamic symbol table, which is what the dynamic loader
// resolves against. Empty when the file is unreadable or not 64-bit ELF.
class ElfExports {
 public:
  static std::set<std::string> Read(const std::string& path);
};
