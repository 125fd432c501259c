#pragma once

#include <cstddef>

#include "LICE_IBitmap.h"

// A bitmap in heap memory. Rows are padded to a multiple of 4 pixels and the
// first pixel sits on a 64-byte boundary. The buffer grows with headroom and
// never shrinks, so resizing back and forth does not reallocate.
class LICE_MemBitmap : public LICE_IBitmap {
 public:
  LICE_MemBitmap(int width = 0, int height = 0);
  ~LICE_MemBitmap() override;

  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* Bits() override;
  int Width() override { return width; }
  int Height() override { return height; }
  int RowSpan() override { return (width + rowAlignMask) & ~rowAlignMask; }
  bool Resize(int newWidth, int newHeight) override;

  std::size_t AllocatedBytes() const { return allocatedBytes; }

 private:
  static constexpr std::size_t kAlignmentSlack = 63;

  void FreeBuffer();

  unsigned char* buffer = nullptr;
  int width = 0;
  int height = 0;
  std::size_t allocatedBytes = 0;
  int rowAlignMask = 3;
};
