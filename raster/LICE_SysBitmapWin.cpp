// Windows surface of LICE_SysBitmap: a 32-bit top-down DIB section selected
// into a memory device context, so GDI text drawing and the copy to the
// window read and write the same pixels the blitter does.
#include "LICE_SysBitmap.h"
#include "Win32Api.h"

void LICE_SysBitmap::CreateDeviceContext() {
  deviceContext = CreateCompatibleDC(nullptr);
}

void LICE_SysBitmap::DestroyDeviceContext() {
  if (deviceContext) DeleteDC(static_cast<HDC>(deviceContext));
  deviceContext = nullptr;
}

bool LICE_SysBitmap::CreateSurface() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = allocatedWidth;
  // A negative height makes the rows run top to bottom.
  info.bmiHeader.biHeight = -allocatedHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = static_cast<HDC>(deviceContext);
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section || !pixels) {
    if (section) DeleteObject(reinterpret_cast<HGDIOBJ>(section));
    return false;
  }
  surface = section;
  bits = static_cast<LICE_pixel*>(pixels);
  replacedObject = dc ? SelectObject(dc, reinterpret_cast<HGDIOBJ>(section)) : nullptr;
  return true;
}

void LICE_SysBitmap::DestroySurface() {
  if (surface) {
    // A section still selected into a context cannot be deleted.
    if (deviceContext && replacedObject) {
      SelectObject(static_cast<HDC>(deviceContext), static_cast<HGDIOBJ>(replacedObject));
    }
    DeleteObject(static_cast<HGDIOBJ>(surface));
  }
  surface = nullptr;
  bits = nullptr;
  replacedObject = nullptr;
}
