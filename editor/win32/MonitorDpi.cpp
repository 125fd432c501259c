#include "editor/win32/MonitorDpi.h"

namespace {

using GetDpiForWindowFunction = UINT (*)(HWND);

GetDpiForWindowFunction DpiForWindow() {
  static const auto function = [] {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC found = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(found);
  }();
  return function;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return 0;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int MonitorDpi(HWND window) {
  if (GetDpiForWindowFunction function = DpiForWindow(); function && window) {
    if (const UINT dpi = function(window); dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}
