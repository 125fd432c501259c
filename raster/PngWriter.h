#pragma once

#include <vector>

#include "LICE_IBitmap.h"

// Encodes bitmap as an 8-bit RGBA PNG (no timestamps, so equal bitmaps give
// equal bytes). False when the bitmap is empty or libpng fails.
bool EncodePng(LICE_IBitmap* bitmap, std::vector<unsigned char>* png);

// Writes bitmap to a PNG file at path; false on any failure.
bool WritePng(LICE_IBitmap* bitmap, const char* path);
