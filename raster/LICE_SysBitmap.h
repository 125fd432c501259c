#pragma once

#include "LICE_IBitmap.h"

// A bitmap backed by a window-system surface, so that system text drawing and
// the copy to the window can work on it directly. The portable half here
// keeps the sizing rules; each platform supplies the surface and its drawing
// context (Linux: plain memory and no context).
class LICE_SysBitmap : public LICE_IBitmap {
 public:
  LICE_SysBitmap(int width = 0, int height = 0);
  ~LICE_SysBitmap() override;

  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* Bits() override { return bits; }
  int Width() override { return width; }
  int Height() override { return height; }
  int RowSpan() override { return allocatedWidth; }
  bool Resize(int newWidth, int newHeight) override;
  void* DeviceContext() override { return deviceContext; }

  int AllocatedWidth() const { return allocatedWidth; }
  int AllocatedHeight() const { return allocatedHeight; }

 private:
  // Platform part: create and destroy the drawing context and a top-down
  // 32-bit surface of allocatedWidth x allocatedHeight that sets bits.
  void CreateDeviceContext();
  void DestroyDeviceContext();
  bool CreateSurface();
  void DestroySurface();

  int width = 0;
  int height = 0;
  void* deviceContext = nullptr;
  LICE_pixel* bits = nullptr;
  int allocatedWidth = 0;
  int allocatedHeight = 0;
  void* surface = nullptr;
  void* replacedObject = nullptr;
};
