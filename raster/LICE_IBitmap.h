#pragma once

#include <cstdint>

#include "LICE_Types.h"

// A 32-bit bitmap. The slot order of the virtual operations is part of the
// design: destructor, Bits, Width, Height, RowSpan, IsFlipped, Resize,
// DeviceContext, ReservedQuery.
class LICE_IBitmap {
 public:
  virtual ~LICE_IBitmap() = default;

  // First pixel of the top row, or null when the bitmap holds no pixels.
  virtual LICE_pixel* Bits() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  // Pixels per row in memory.
  virtual int RowSpan() = 0;
  virtual bool IsFlipped() { return false; }
  // True when the size changed.
  virtual bool Resize(int width, int height) = 0;
  // The window system's drawing context, or null when the bitmap has none.
  virtual void* DeviceContext() { return nullptr; }
  virtual std::intptr_t ReservedQuery(int /*id*/, void* /*data*/) { return 0; }
};
