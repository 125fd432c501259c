#pragma once

#include <string>
#include <vector>

#include "editor/IControl.h"
#include "editor/IGraphics.h"
#include "raster/LICE_SysBitmap.h"
#include "raster/Win32Api.h"

// A window standing in for the host's: a visible child of the program's one
// top-level window, which records the key messages it receives. (Without a
// window manager, Wine waits two seconds for a top-level window to go, so
// that one stays until the program ends.) The top-level window covers
// 1280 x 1000 pixels from the screen's corner, so two editors fit one above
// the other; like a real host's, the window clips its children, so its own
// painting never covers the editor.
class TestHostWindow {
 public:
  explicit TestHostWindow(int x = 0, int y = 0, int width = 1100, int height = 520);
  ~TestHostWindow() { Destroy(); }
  TestHostWindow(const TestHostWindow&) = delete;
  TestHostWindow& operator=(const TestHostWindow&) = delete;

  HWND Handle() const { return window; }
  // Destroys the window, and whatever child is still inside it.
  void Destroy();

  struct Key {
    UINT message;
    WPARAM code;
  };
  // The keys the top-level window received since the last host was made.
  static std::vector<Key>& Keys();

 private:
  HWND window = nullptr;
};

// Runs the thread's queued messages, timers included, for about ms.
void PumpMessages(int ms);

// A control that fills its rect with one colour when drawn and logs what
// reaches it.
class ProbeControl : public IControl {
 public:
  ProbeControl(IPlugBase* plug, const Rect& rect, int paramIndex, LICE_pixel colour)
      : IControl(plug, rect, paramIndex), colour(colour) {}

  bool Draw(IGraphics* graphics) override;
  void MouseDown(int x, int y, const MouseMods& mods) override { Note("down", x, y, mods); }
  void MouseUp(int x, int y, const MouseMods& mods) override { Note("up", x, y, mods); }
  void MouseDrag(int x, int y, int dX, int dY, const MouseMods& mods) override {
    Note("drag", x, y, mods, " by " + std::to_string(dX) + "," + std::to_string(dY));
  }
  void MouseDoubleClick(int x, int y, const MouseMods& mods) override {
    Note("double", x, y, mods);
  }
  void MouseWheel(int x, int y, const MouseMods& mods, int d) override {
    Note("wheel", x, y, mods, " d " + std::to_string(d));
  }
  bool KeyDown(int, int, int key) override {
    log.push_back("key " + std::to_string(key));
    return takesKeys;
  }
  void TextFromEntry(const char* text) override { entered.push_back(text); }

  LICE_pixel colour;
  bool takesKeys = false;
  int draws = 0;
  std::vector<std::string> log;
  std::vector<std::string> entered;
  MouseMods lastMods;

 private:
  void Note(const char* what, int x, int y, const MouseMods& mods, const std::string& more = "") {
    lastMods = mods;
    log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) + more);
  }
};
