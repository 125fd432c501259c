#include "editor/win32/WebPageOpenerWin.h"

#include "raster/Win32Api.h"

namespace {

// ShellExecute's results up to 32 are error codes.
constexpr std::intptr_t kLaunchFailedLimit = 32;

bool Given(const char* text) { return text && text[0] != '\0'; }

}  // namespace

bool WebPageSystem::Connected() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != 0;
}

std::intptr_t WebPageSystem::Launch(void* owner, const char* address) {
  HINSTANCE result =
      ShellExecuteA(static_cast<HWND>(owner), "open", address, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<std::intptr_t>(result);
}

bool WebPageSystem::Confirm(void* owner, const char* text, const char* title) {
  return MessageBoxA(static_cast<HWND>(owner), text, title, MB_YESNO) == IDYES;
}

void WebPageSystem::Tell(void* owner, const char* text, const char* title) {
  MessageBoxA(static_cast<HWND>(owner), text, title, MB_OK);
}

WebPageOpenerWin::WebPageOpenerWin(WebPageSystem* system) : system(system) {}

bool WebPageOpenerWin::Open(void* owner, const char* address, const char* title,
                            const char* confirmText, const char* errorText) {
  static WebPageSystem real;
  WebPageSystem& shell = system ? *system : real;
  if (!Given(address)) return false;
  if (Given(confirmText) && !shell.Confirm(owner, confirmText, title)) return false;
  if (shell.Connected() && shell.Launch(owner, address) > kLaunchFailedLimit) return true;
  if (Given(errorText)) shell.Tell(owner, errorText, title);
  return false;
}
