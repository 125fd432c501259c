#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/ModuleHandle.h"

namespace {

// The editor registers its class and looks up resources through the module
// handle the library keeps at load; in a test program that is the program.
class ModuleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { SetThisModule(GetModuleHandleA(nullptr)); }
};
[[maybe_unused]] ::testing::Environment* const moduleEnvironment =
    ::testing::AddGlobalTestEnvironment(new ModuleEnvironment);

LRESULT TopLevelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP) {
    TestHostWindow::Keys().push_back(TestHostWindow::Key{message, wParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND TopLevel() {
  static HWND topLevel = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TopLevelProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestravonTestHost";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Test host", WS_POPUP | WS_VISIBLE, 0,
                           0, 1280, 1000, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }();
  return topLevel;
}

}  // namespace

std::vector<TestHostWindow::Key>& TestHostWindow::Keys() {
  static std::vector<Key> keys;
  return keys;
}

TestHostWindow::TestHostWindow(int x, int y, int width, int height) {
  window = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                           height, TopLevel(), nullptr, GetModuleHandleA(nullptr), nullptr);
  Keys().clear();
}

void TestHostWindow::Destroy() {
  if (window) DestroyWindow(window);
  window = nullptr;
}

void PumpMessages(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
}

bool ProbeControl::Draw(IGraphics* graphics) {
  ++draws;
  LICE_SysBitmap* buffer = graphics->BackBuffer();
  const Rect& r = GetRect();
  for (int y = r.top; y < r.bottom; ++y) {
    std::fill_n(buffer->Bits() + y * buffer->RowSpan() + r.left, r.W(), colour);
  }
  return true;
}
