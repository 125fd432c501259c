#pragma once

#include <cstddef>

#include "LICE_MemBitmap.h"

// Decodes a PNG image held in memory into a new bitmap of non-premultiplied
// pixels. Any failure returns null and leaves nothing allocated.
LICE_MemBitmap* DecodePngFromMemory(const unsigned char* bytes, std::size_t length);
