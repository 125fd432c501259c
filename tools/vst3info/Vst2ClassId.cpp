#include "tools/vst3info/Vst2ClassId.h"

#include <cstdio>
#include <cstring>

namespace vst3info {
namespace {

// The three letters that mark an identifier made for a VST 2 effect class.
constexpr uint32_t kEffectMark = ('V' << 16) | ('S' << 8) | 'T';
// How many characters of the name take part.
constexpr size_t kNameUnits = 9;

// ASCII only, whatever the locale: the identifier must not depend on it.
unsigned LowerCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

std::string Vst2ClassIdText(int32_t uniqueId, const char* name) {
  char text[33];
  std::snprintf(text, sizeof text, "%06X%08X", static_cast<unsigned>(kEffectMark),
                static_cast<unsigned>(static_cast<uint32_t>(uniqueId)));
  std::string result = text;
  const size_t length = name ? std::strlen(name) : 0;
  for (size_t i = 0; i < kNameUnits; ++i) {
    const unsigned c = i < length ? LowerCase(static_cast<unsigned char>(name[i])) : 0u;
    std::snprintf(text, sizeof text, "%02X", c);
    result += text;
  }
  return result;
}

}  // namespace vst3info
