#include "editor/win32/Win32EditorWindow.h"

#include <mutex>

#include "core/ModuleHandle.h"

namespace {

struct ClassUse {
  std::mutex mutex;
  int count = 0;
};

ClassUse& ClassUses() {
  static ClassUse uses;
  return uses;
}

HINSTANCE Module() { return static_cast<HINSTANCE>(ThisModule()); }

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

int Win32EditorWindow::ClassUseCount() {
  ClassUse& uses = ClassUses();
  std::lock_guard<std::mutex> lock(uses.mutex);
  return uses.count;
}

bool Win32EditorWindow::AcquireClass(WNDPROC procedure) {
  ClassUse& uses = ClassUses();
  std::lock_guard<std::mutex> lock(uses.mutex);
  if (uses.count == 0) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Module();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    // A class left behind by a window the system destroyed with its parent
    // (it could not be unregistered then) is still good to use.
    WNDCLASSA existing{};
    if (!RegisterClassA(&windowClass) && !GetClassInfoA(Module(), kClassName, &existing)) {
      return false;
    }
  }
  ++uses.count;
  return true;
}

void Win32EditorWindow::ReleaseClass() {
  ClassUse& uses = ClassUses();
  std::lock_guard<std::mutex> lock(uses.mutex);
  if (uses.count <= 0) return;
  if (--uses.count == 0) UnregisterClassA(kClassName, Module());
}

bool Win32EditorWindow::Open(HWND parent, const Rect& placement, WNDPROC procedure,
                             void* creationData) {
  Close();
  if (!AcquireClass(procedure)) return false;
  window = CreateWindowExA(0, kClassName, kTitle, WS_CHILD | WS_VISIBLE, placement.left,
                           placement.top, placement.W(), placement.H(), parent, nullptr, Module(),
                           creationData);
  if (!window) {
    ReleaseClass();
    return false;
  }
  return true;
}

void Win32EditorWindow::Close() {
  if (!window) return;
  HWND closing = window;
  window = nullptr;
  DestroyWindow(closing);
  ReleaseClass();
}

void Win32EditorWindow::Forget() {
  if (!window) return;
  window = nullptr;
  ReleaseClass();
}

Rect Win32EditorWindow::Placement() const {
  RECT onScreen{};
  if (!window || !GetWindowRect(window, &onScreen)) return Rect();
  POINT topLeft{onScreen.left, onScreen.top};
  POINT bottomRight{onScreen.right, onScreen.bottom};
  if (HWND parent = GetParent(window)) {
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
  }
  return Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void Win32EditorWindow::Resize(int width, int height) {
  if (!window) return;
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32EditorWindow::Paint(HDC source, const Rect& area) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc && source) {
    BitBlt(dc, area.left, area.top, area.W(), area.H(), source, area.left, area.top, SRCCOPY);
  }
  EndPaint(window, &paint);
}

void Win32EditorWindow::Put(HDC source, const Rect& area) {
  if (!window || !source) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  BitBlt(dc, area.left, area.top, area.W(), area.H(), source, area.left, area.top, SRCCOPY);
  ReleaseDC(window, dc);
}

void Win32EditorWindow::Invalidate(const Rect& area) {
  if (!window || area.Empty()) return;
  const RECT r = ToRECT(area);
  InvalidateRect(window, &r, 0);
}

void Win32EditorWindow::Validate(const Rect& area) {
  if (!window || area.Empty()) return;
  const RECT r = ToRECT(area);
  ValidateRect(window, &r);
}

void Win32EditorWindow::UpdateNow() {
  if (window) UpdateWindow(window);
}
