#pragma once

#include "editor/MouseMods.h"
#include "editor/Rect.h"

union _XEvent;

// What one X event asks of the graphics core.
struct EditorInput {
  enum class Kind {
    kNothing,
    kExpose,       // area needs painting again
    kPress,        // button 1, 2 or 3 went down
    kDoubleClick,  // a second left press close in time and place
    kRelease,      // button 1, 2 or 3 went up
    kDrag,         // the pointer moved with the left or right button held
    kMove,         // the pointer moved with no button held
    kWheel,        // notches: +1 up, -1 down
  };
  Kind kind = Kind::kNothing;
  int x = 0;
  int y = 0;
  MouseMods mods;
  int notches = 0;
  Rect area;
};

// Turns the editor window's X events into graphics-core inputs. X reports
// the wheel as presses of buttons 4 and 5 and has no double-click of its
// own: a left press within kDoubleClickMs of the previous one, at most
// kDoubleClickSlop pixels away in each direction, is one; the press after
// a double-click starts over.
class X11EventTranslator {
 public:
  static constexpr unsigned long kDoubleClickMs = 400;
  static constexpr int kDoubleClickSlop = 2;

  EditorInput Translate(const _XEvent& event);
  // Forgets the last press, e.g. when the window closes.
  void Reset() { havePress = false; }

 private:
  bool IsSecondClick(unsigned long time, int x, int y) const;

  bool havePress = false;
  unsigned long pressTime = 0;
  int pressX = 0;
  int pressY = 0;
};
