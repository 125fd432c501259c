#pragma once

class PopupMenuPicture;
struct _XDisplay;

// A menu in a window of its own over the editor, as X11 has no menus: an
// undecorated top-level window at the pointer that holds the pointer and
// the keyboard until an item is chosen or the menu is dismissed (a click
// outside it, Escape, or kGiveUpMs with nothing happening). An item is
// chosen by a click on it, or by releasing the button that opened the menu
// over another item.
class X11PopupMenu {
 public:
  static constexpr int kGiveUpMs = 30000;

  // (x, y) in the pixels of the editor's window; the chosen item, or -1.
  static int Run(_XDisplay* display, unsigned long editorWindow, int x, int y,
                 PopupMenuPicture& picture);
};
