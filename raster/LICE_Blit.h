#pragma once

#include "LICE_IBitmap.h"
#include "LICE_Types.h"

// Blit mode: the low byte selects the combine mode, kBlitUseSourceAlpha
// weights each pixel by the source alpha.
inline constexpr int kBlitModeCopy = 0;
inline constexpr int kBlitModeAdd = 1;
inline constexpr int kBlitModeDodge = 2;
inline constexpr int kBlitModeMask = 0xff;
inline constexpr int kBlitUseSourceAlpha = 0x10000;

// Copies srcRect of src (the whole source when srcRect is null) to
// (dstX, dstY) of dest, clipped to both bitmaps, combined with weight
// (0 = nothing, 1 = full) and mode.
void Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
          float weight, int mode);
