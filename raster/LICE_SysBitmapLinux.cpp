// Linux surface of LICE_SysBitmap: heap pixels and no drawing context; text
// reaches it through the glyph path.
#include <cstdlib>

#include "LICE_SysBitmap.h"

void LICE_SysBitmap::CreateDeviceContext() { deviceContext = nullptr; }

void LICE_SysBitmap::DestroyDeviceContext() { deviceContext = nullptr; }

bool LICE_SysBitmap::CreateSurface() {
  const std::size_t bytes = static_cast<std::size_t>(allocatedWidth) *
                            static_cast<std::size_t>(allocatedHeight) * sizeof(LICE_pixel);
  // aligned_alloc wants a size that is a multiple of the alignment.
  void* memory = std::aligned_alloc(64, (bytes + 63) & ~std::size_t{63});
  if (!memory) return false;
  surface = memory;
  bits = static_cast<LICE_pixel*>(memory);
  return true;
}

void LICE_SysBitmap::DestroySurface() {
  std::free(surface);
  surface = nullptr;
  bits = nullptr;
  replacedObject = nullptr;
}
