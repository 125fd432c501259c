#pragma once

struct _XDisplay;

// Catches the X protocol errors of one connection while it lives, so that a
// host window that vanished or a refused request fails that call instead of
// ending the host process (Xlib's default handler exits). Errors of other
// connections still go to the handler that was installed before. Traps may
// nest; they are meant for the editor's thread.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(_XDisplay* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to answer everything sent so far, then tells
  // whether any of it failed.
  bool SyncAndCheck();
  // The error code of the first failure seen, 0 when none.
  int FirstError() const { return firstError; }

 private:
  friend struct X11ErrorTrapList;

  _XDisplay* display;
  X11ErrorTrap* outer = nullptr;
  int firstError = 0;
};
