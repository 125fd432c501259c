#pragma once

#include <cstddef>
#include <vector>

// Decodes UTF-8 into code points. Text that is not valid UTF-8 (bad lead or
// continuation bytes, overlong forms, surrogates, values above U+10FFFF) is
// taken byte by byte as Latin-1 instead, so every byte still shows.
void DecodeUtf8OrLatin1(const char* text, std::size_t length, std::vector<char32_t>* codePoints);

// False when text is not valid UTF-8; codePoints then holds what was decoded
// before the fault.
bool DecodeUtf8(const char* text, std::size_t length, std::vector<char32_t>* codePoints);
