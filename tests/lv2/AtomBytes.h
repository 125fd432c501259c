#pragma once
#include <cstdint>
#include <vector>

// Atoms written field by field, so that a test can make any size claim,
// true or false.
class AtomBytes {
 public:
  AtomBytes& Word(uint32_t value);
  AtomBytes& Header(uint32_t size, uint32_t type) { return Word(size).Word(type); }
  AtomBytes& Append(const std::vector<uint8_t>& bytes);
  // Zeros up to the next multiple of 8 bytes, as atoms are padded.
  AtomBytes& Pad();
  const std::vector<uint8_t>& Bytes() const { return bytes; }

 private:
  std::vector<uint8_t> bytes;
};

// A sequence of the given type holding each atom as an event at frame 0,
// padded between them and its size the bytes it holds.
std::vector<uint8_t> SequenceOf(uint32_t type, const std::vector<std::vector<uint8_t>>& atoms);
