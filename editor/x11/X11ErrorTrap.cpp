#include "editor/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <mutex>

struct X11ErrorTrapList {
  static std::mutex& Lock() {
    static std::mutex lock;
    return lock;
  }
  static X11ErrorTrap*& Innermost() {
    static X11ErrorTrap* innermost = nullptr;
    return innermost;
  }
  static XErrorHandler& Previous() {
    static XErrorHandler previous = nullptr;
    return previous;
  }

  static int Handle(Display* display, XErrorEvent* error) {
    XErrorHandler forward = nullptr;
    {
      std::lock_guard<std::mutex> guard(Lock());
      for (X11ErrorTrap* trap = Innermost(); trap; trap = trap->outer) {
        if (trap->display != display) continue;
        if (trap->firstError == 0) trap->firstError = error->error_code;
        return 0;
      }
      forward = Previous();
    }
    // Another connection's error belongs to whoever handled it before us.
    return forward ? forward(display, error) : 0;
  }
};

X11ErrorTrap::X11ErrorTrap(_XDisplay* display) : display(display) {
  std::lock_guard<std::mutex> guard(X11ErrorTrapList::Lock());
  outer = X11ErrorTrapList::Innermost();
  if (!outer) X11ErrorTrapList::Previous() = XSetErrorHandler(&X11ErrorTrapList::Handle);
  X11ErrorTrapList::Innermost() = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  // Errors of requests still in flight must land here, not in a handler
  // that exits the process.
  if (display) XSync(display, False);
  std::lock_guard<std::mutex> guard(X11ErrorTrapList::Lock());
  X11ErrorTrap** link = &X11ErrorTrapList::Innermost();
  while (*link && *link != this) link = &(*link)->outer;
  if (*link) *link = outer;
  if (!X11ErrorTrapList::Innermost()) {
    XSetErrorHandler(X11ErrorTrapList::Previous());
    X11ErrorTrapList::Previous() = nullptr;
  }
}

bool X11ErrorTrap::SyncAndCheck() {
  if (display) XSync(display, False);
  return firstError == 0;
}
