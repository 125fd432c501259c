#include "Utf8Decode.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xc0) == 0x80; }

}  // namespace

bool DecodeUtf8(const char* text, std::size_t length, std::vector<char32_t>* codePoints) {
  codePoints->clear();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  while (i < length) {
    const unsigned char lead = bytes[i];
    int extra;
    char32_t code;
    char32_t minimum;
    if (lead < 0x80) {
      extra = 0, code = lead, minimum = 0;
    } else if ((lead & 0xe0) == 0xc0) {
      extra = 1, code = lead & 0x1f, minimum = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
      extra = 2, code = lead & 0x0f, minimum = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
      extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (length - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
      if (!IsContinuation(bytes[i + k])) return false;
      code = (code << 6) | (bytes[i + k] & 0x3f);
    }
    if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
    codePoints->push_back(code);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

void DecodeUtf8OrLatin1(const char* text, std::size_t length, std::vector<char32_t>* codePoints) {
  if (DecodeUtf8(text, length, codePoints)) return;
  codePoints->clear();
  for (std::size_t i = 0; i < length; ++i) {
    codePoints->push_back(static_cast<unsigned char>(text[i]));
  }
}
