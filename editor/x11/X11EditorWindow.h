#pragma once

#include "editor/Rect.h"
#include "raster/LICE_Types.h"

struct _XDisplay;
struct _XGC;
union _XEvent;

// The editor's X11 child window on a connection of its own: created inside
// the host's window, it shows 32-bit pixels (bytes B, G, R, A in memory) and
// hands out its queued events. It selects no key events, so X passes every
// key on to the host's windows above it.
class X11EditorWindow {
 public:
  X11EditorWindow() = default;
  ~X11EditorWindow() { Close(); }
  X11EditorWindow(const X11EditorWindow&) = delete;
  X11EditorWindow& operator=(const X11EditorWindow&) = delete;

  // Opens the display named by DISPLAY and maps a width x height child at
  // (0, 0) of parent. False, with nothing left open, when there is no
  // display, the parent does not exist or its visual is not 24- or 32-bit
  // true colour with 32 bits per pixel.
  bool Open(unsigned long parent, int width, int height);
  // Destroys the window (unless the server already did) and closes the
  // connection.
  void Close();
  bool IsOpen() const { return display != nullptr; }
  // The window id; 0 when closed.
  unsigned long Id() const { return window; }
  // False once the server destroyed the window with its parent.
  bool Exists() const { return window != 0 && !destroyed; }

  // Gives the window a new size; what it newly shows arrives as exposures.
  void Resize(int width, int height);
  // The scale the desktop set for its text (Xft.dpi / 96); 0 when it set none.
  double DesktopTextScale() const;
  // Copies area of a top-down surface of width x height pixels with rowSpan
  // pixels per row to the same place in the window.
  void Put(const LICE_pixel* pixels, int rowSpan, int width, int height, const Rect& area);
  // Whether events wait to be taken, reading what the server sent without
  // waiting for more.
  bool HasEvents();
  // Takes the next queued event without waiting; false when none is queued.
  bool NextEvent(_XEvent* event);
  // Sends what is queued and waits until the server handled it.
  void Sync();
  _XDisplay* Connection() const { return display; }
  // The socket of the window's connection, readable when the server sent
  // something; -1 when closed.
  int ConnectionFd() const;

 private:
  bool CreateChild(unsigned long parent, int width, int height);
  void CloseConnection();

  _XDisplay* display = nullptr;
  _XGC* gc = nullptr;
  void* visual = nullptr;
  unsigned long window = 0;
  int depth = 0;
  bool destroyed = false;
};
