#include "editor/x11/X11EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

#include "editor/x11/X11ErrorTrap.h"
#include "editor/x11/X11PutPixels.h"
#include "editor/x11/XftDpiScale.h"

namespace {

constexpr long kEventMask =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;

// The back buffer's words go to the server unchanged: that needs 8-bit
// red, green and blue fields where the pixel format has them and 32 bits
// per pixel at the window's depth.
bool TakesBackBufferPixels(Display* display, const XWindowAttributes& attributes) {
  const Visual* visual = attributes.visual;
  if (!visual || visual->c_class != TrueColor) return false;
  if (attributes.depth != 24 && attributes.depth != 32) return false;
  if (visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 || visual->blue_mask != 0xff) {
    return false;
  }
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool thirtyTwoBits = false;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == attributes.depth) thirtyTwoBits = formats[i].bits_per_pixel == 32;
  }
  if (formats) XFree(formats);
  return thirtyTwoBits;
}

}  // namespace

bool X11EditorWindow::Open(unsigned long parent, int width, int height) {
  Close();
  if (parent == 0 || width <= 0 || height <= 0) return false;
  display = XOpenDisplay(nullptr);
  if (!display) return false;
  bool created = false;
  {
    X11ErrorTrap trap(display);
    created = CreateChild(parent, width, height) && trap.SyncAndCheck();
  }
  if (!created) Close();
  return created;
}

bool X11EditorWindow::CreateChild(unsigned long parent, int width, int height) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, parent, &attributes)) return false;
  if (!TakesBackBufferPixels(display, attributes)) return false;
  visual = attributes.visual;
  depth = attributes.depth;

  XSetWindowAttributes settings{};
  // No background: the server leaves exposed pixels alone until we paint.
  settings.background_pixmap = None;
  settings.event_mask = kEventMask;
  window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                         CopyFromParent, CWBackPixmap | CWEventMask, &settings);
  if (window == 0) return false;
  gc = XCreateGC(display, window, 0, nullptr);
  XMapWindow(display, window);
  return gc != nullptr;
}

void X11EditorWindow::Resize(int width, int height) {
  if (!Exists() || width < 1 || height < 1) return;
  X11ErrorTrap trap(display);
  XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

double X11EditorWindow::DesktopTextScale() const {
  if (!display) return 0.0;
  return XftDpiScale(XResourceManagerString(display));
}

void X11EditorWindow::Close() {
  if (!display) return;
  {
    X11ErrorTrap trap(display);
    if (gc) XFreeGC(display, gc);
    if (window != 0 && !destroyed) XDestroyWindow(display, window);
  }
  CloseConnection();
}

void X11EditorWindow::CloseConnection() {
  XCloseDisplay(display);
  display = nullptr;
  gc = nullptr;
  visual = nullptr;
  window = 0;
  depth = 0;
  destroyed = false;
}

void X11EditorWindow::Put(const LICE_pixel* pixels, int rowSpan, int width, int height,
                          const Rect& area) {
  if (!Exists()) return;
  PutPixels(display, window, gc, visual, depth, pixels, rowSpan, width, height, area);
}

bool X11EditorWindow::HasEvents() { return display && XPending(display) > 0; }

bool X11EditorWindow::NextEvent(_XEvent* event) {
  if (!display || XPending(display) == 0) return false;
  XNextEvent(display, event);
  if (event->type == DestroyNotify && event->xdestroywindow.window == window) destroyed = true;
  return true;
}

int X11EditorWindow::ConnectionFd() const { return display ? ConnectionNumber(display) : -1; }

void X11EditorWindow::Sync() {
  if (display) XSync(display, False);
}
