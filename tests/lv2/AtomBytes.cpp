#include "AtomBytes.h"

#include <cstring>

AtomBytes& AtomBytes::Word(uint32_t value) {
  uint8_t word[sizeof value];
  std::memcpy(word, &value, sizeof value);
  bytes.insert(bytes.end(), word, word + sizeof value);
  return *this;
}

AtomBytes& AtomBytes::Append(const std::vector<uint8_t>& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return *this;
}

AtomBytes& AtomBytes::Pad() {
  bytes.resize((bytes.size() + 7) / 8 * 8, 0);
  return *this;
}

std::vector<uint8_t> SequenceOf(uint32_t type, const std::vector<std::vector<uint8_t>>& atoms) {
  AtomBytes body;
  body.Word(0).Word(0);  // the unit (frames) and the unused pad
  for (const std::vector<uint8_t>& atom : atoms) body.Pad().Word(0).Word(0).Append(atom);
  return AtomBytes()
      .Header(static_cast<uint32_t>(body.Bytes().size()), type)
      .Append(body.Bytes())
      .Bytes();
}
