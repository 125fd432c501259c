#pragma once

#include "LICE_IBitmap.h"

// The editor's image loader: name only selects the decoder (its extension
// must be "png" in any case), the image itself is found by resource id.
// Returns a new bitmap owned by the caller, or null.
LICE_IBitmap* LoadPlatformBitmap(int id, const char* name);

// True when the text after the last "." of name is "png", ignoring case.
bool HasPngExtension(const char* name);
