#include "LICE_SysBitmap.h"

LICE_SysBitmap::LICE_SysBitmap(int width, int height) {
  CreateDeviceContext();
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap() {
  DestroySurface();
  DestroyDeviceContext();
}

bool LICE_SysBitmap::Resize(int newWidth, int newHeight) {
  if (newWidth == width && newHeight == height) return false;
  if (newWidth <= 0 || newHeight <= 0) {
    const bool changed = width != 0 || height != 0;
    DestroySurface();
    width = 0;
    height = 0;
    return changed;
  }
  width = newWidth;
  height = newHeight;
  if (!surface || width > allocatedWidth || height > allocatedHeight) {
    DestroySurface();
    allocatedWidth = (width + 3) & ~3;
    allocatedHeight = height;
    if (!CreateSurface()) {
      // Without a surface the bitmap holds no pixels and blits skip it.
      bits = nullptr;
      surface = nullptr;
      allocatedWidth = 0;
      allocatedHeight = 0;
    }
  }
  return true;
}
