#pragma once
// Filling the fixed-size text fields of the VST 3 records.
#include <cstddef>

#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {

// Copies text into a field of `size` units, cut short to leave room for the
// terminating zero and zero to the end, so no byte of the record is left as
// it came from the host. Our texts are ASCII, which is also their UTF-16.
template <typename Unit>
void CopyText(Unit* field, size_t size, const char* text) {
  size_t i = 0;
  for (; text != nullptr && text[i] != '\0' && i + 1 < size; ++i) {
    field[i] = static_cast<Unit>(static_cast<unsigned char>(text[i]));
  }
  for (; i < size; ++i) field[i] = Unit{0};
}

template <typename Unit, size_t size>
void CopyText(Unit (&field)[size], const char* text) {
  CopyText(field, size, text);
}

}  // namespace kestravon_vst3
