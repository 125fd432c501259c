#include "tools/render/EditorSnapshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "raster/LICE_MemBitmap.h"
#include "raster/PngWriter.h"

namespace {

constexpr int kIdleIntervalMs = 5;

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// The host's side: an undecorated top-level window, so no window manager
// moves, frames or covers it while it is pictured.
Window CreateParent(Display* display, int width, int height) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes settings{};
  settings.override_redirect = True;
  settings.background_pixel = BlackPixel(display, screen);
  settings.event_mask = StructureNotifyMask;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel | CWEventMask, &settings);
  XMapRaised(display, window);
  XEvent event;
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
  return window;
}

// The editor's own window: the one child the plug-in put into ours.
Window EditorChild(Display* display, Window parent) {
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window child = 0;
  if (XQueryTree(display, parent, &root, &up, &children, &count) && count > 0) {
    child = children[count - 1];
  }
  if (children) XFree(children);
  return child;
}

// One colour field of a true-colour pixel, scaled to 8 bits.
int Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
  const unsigned long top = mask >> std::countr_zero(mask);
  return static_cast<int>(value * 255 / top);
}

bool ReadPixels(Display* display, Window window, int width, int height, LICE_MemBitmap* bitmap) {
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return false;
  bitmap->Resize(width, height);
  for (int y = 0; y < height; ++y) {
    LICE_pixel* row = bitmap->Bits() + static_cast<std::ptrdiff_t>(y) * bitmap->RowSpan();
    for (int x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      row[x] = LICE_RGBA(Channel(p, image->red_mask), Channel(p, image->green_mask),
                         Channel(p, image->blue_mask), 255);
    }
  }
  XDestroyImage(image);
  return true;
}

}  // namespace

bool EditorSnapshot::Save(const std::string& path, std::string* error) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    *error = "--editor-png needs an X display and DISPLAY is not set (try xvfb-run -a)";
    return false;
  }
  DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) {
    *error = std::string("--editor-png cannot open the X display ") + name;
    return false;
  }
  int width = 0, height = 0;
  if (!host.EditorSize(&width, &height)) {
    *error = "the plug-in has no editor";
    return false;
  }
  // The server gives back only what it shows: the editor must fit on its screen.
  const int screen = DefaultScreen(display.get());
  const int screenWidth = DisplayWidth(display.get(), screen);
  const int screenHeight = DisplayHeight(display.get(), screen);
  if (width > screenWidth || height > screenHeight) {
    *error = "the editor (" + std::to_string(width) + " x " + std::to_string(height) +
             ") is larger than the X display's screen (" + std::to_string(screenWidth) + " x " +
             std::to_string(screenHeight) + ")";
    return false;
  }
  const Window parent = CreateParent(display.get(), width, height);
  const bool opened = host.OpenEditor(reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent)));
  if (opened) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrawMs);
    while (std::chrono::steady_clock::now() < end) {
      host.EditorIdle();
      std::this_thread::sleep_for(std::chrono::milliseconds(kIdleIntervalMs));
    }
    XSync(display.get(), False);
  }
  LICE_MemBitmap picture;
  const Window child = opened ? EditorChild(display.get(), parent) : 0;
  const bool read = child != 0 && ReadPixels(display.get(), child, width, height, &picture);
  host.CloseEditor();
  XDestroyWindow(display.get(), parent);
  if (!opened || !read) {
    *error = opened ? "the editor showed no window" : "the plug-in did not open its editor";
    return false;
  }
  if (!WritePng(&picture, path.c_str())) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}
