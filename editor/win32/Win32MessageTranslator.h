#pragma once

#include <cstdint>

#include "editor/MouseMods.h"

// What one window message asks of the graphics core.
struct Win32Input {
  enum class Kind {
    kNothing,
    kPress,        // left, right or middle button went down
    kDoubleClick,  // the second left press of a double-click
    kRelease,      // left, right or middle button went up
    kDrag,         // the pointer moved with the left or right button held
    kMove,         // the pointer moved with neither held
    kWheel,        // notches: whole notches, away from the user positive
    kKeyDown,
    kKeyUp,
  };
  Kind kind = Kind::kNothing;
  int x = 0;
  int y = 0;
  MouseMods mods;
  int notches = 0;
  // The control key number of a key message; -1 for a key without one.
  int key = -1;
};

// What a message does not carry itself.
struct Win32InputContext {
  bool altHeld = false;
  // The window's top-left corner on the screen: wheel messages come in screen
  // coordinates, the others in window coordinates.
  int windowLeft = 0;
  int windowTop = 0;
};

// Turns the editor window's messages into graphics-core inputs, with no
// window involved, so every rule here can be checked on its own.
class Win32MessageTranslator {
 public:
  static Win32Input Translate(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                              const Win32InputContext& context);
  // The control key number of a virtual-key code: space 0, up 1, down 2,
  // left 3, right 4, digits 5-14, codes 65-90 and 97-122 15-40; -1 otherwise.
  static int ControlKeyFor(std::uintptr_t virtualKey);
};
