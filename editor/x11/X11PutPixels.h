#pragma once

#include "editor/Rect.h"
#include "raster/LICE_Types.h"

struct _XDisplay;
struct _XGC;

// Copies area of a top-down surface of width x height 32-bit pixels (bytes
// B, G, R, A in memory), rowSpan pixels to a row, to the same place in a
// window whose visual takes such words unchanged. The area is clipped to
// the surface.
void PutPixels(_XDisplay* display, unsigned long window, _XGC* gc, void* visual, int depth,
               const LICE_pixel* pixels, int rowSpan, int width, int height, const Rect& area);
