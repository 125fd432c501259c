#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "editor/Rect.h"

// What a Linux host does around a plug-in editor: a top-level window of its
// own on its own connection, whose id it hands to the plug-in, and what a
// test needs to look at the result and to drive the mouse like a user.
class TestHostWindow {
 public:
  TestHostWindow(int width, int height);
  ~TestHostWindow();
  TestHostWindow(const TestHostWindow&) = delete;
  TestHostWindow& operator=(const TestHostWindow&) = delete;

  bool Ok() const { return window != 0; }
  Display* Connection() const { return display; }
  Window Id() const { return window; }
  void* Handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

  std::vector<Window> Children() const;
  // The window's pixels in area, each as 0xRRGGBB.
  std::vector<uint32_t> Pixels(Window target, const Rect& area) const;
  // Real pointer input through the XTEST extension, at window coordinates of
  // target; false when the server lacks the extension.
  bool MovePointer(Window target, int x, int y) const;
  bool Button(unsigned int button, bool press) const;
  // Presses and releases the space bar.
  bool TypeSpace() const;
  // True when a key press reached this window within a second.
  bool ReceivedKeyPress();

 private:
  Display* display = nullptr;
  Window window = 0;
};
