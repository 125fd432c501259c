#include "TestHostWindow.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

TestHostWindow::TestHostWindow(int width, int height) {
  display = XOpenDisplay(nullptr);
  if (!display) return;
  const int screen = DefaultScreen(display);
  window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0,
                               BlackPixel(display, screen), BlackPixel(display, screen));
  XSelectInput(display, window, KeyPressMask | StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify);
}

TestHostWindow::~TestHostWindow() {
  if (!display) return;
  if (window) XDestroyWindow(display, window);
  XCloseDisplay(display);
}

std::vector<Window> TestHostWindow::Children() const {
  Window root = 0, parent = 0;
  Window* list = nullptr;
  unsigned int count = 0;
  std::vector<Window> children;
  if (XQueryTree(display, window, &root, &parent, &list, &count)) {
    children.assign(list, list + count);
    if (list) XFree(list);
  }
  return children;
}

std::vector<uint32_t> TestHostWindow::Pixels(Window target, const Rect& area) const {
  std::vector<uint32_t> pixels;
  XImage* image =
      XGetImage(display, target, area.left, area.top, area.W(), area.H(), AllPlanes, ZPixmap);
  if (!image) return pixels;
  pixels.reserve(static_cast<size_t>(area.W()) * area.H());
  for (int y = 0; y < area.H(); ++y) {
    for (int x = 0; x < area.W(); ++x) pixels.push_back(XGetPixel(image, x, y) & 0xffffff);
  }
  XDestroyImage(image);
  return pixels;
}

bool TestHostWindow::MovePointer(Window target, int x, int y) const {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) return false;
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, target, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  XSync(display, False);
  return true;
}

bool TestHostWindow::Button(unsigned int button, bool press) const {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) return false;
  XTestFakeButtonEvent(display, button, press ? True : False, CurrentTime);
  XSync(display, False);
  return true;
}

bool TestHostWindow::TypeSpace() const {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) return false;
  const unsigned int code = XKeysymToKeycode(display, XK_space);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XSync(display, False);
  return true;
}

bool TestHostWindow::ReceivedKeyPress() {
  XEvent event;
  for (int i = 0; i < 100; ++i) {
    if (XCheckTypedWindowEvent(display, window, KeyPress, &event)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}
