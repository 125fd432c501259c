#include "editor/x11/X11EventTranslator.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

constexpr unsigned int kWheelUpButton = 4;
constexpr unsigned int kWheelDownButton = 5;

// X reports the buttons held before the event; the mods describe them after
// it, as the Win32 messages do: a press includes its button, a release
// no longer does.
MouseMods ModsOf(unsigned int state, unsigned int button, bool pressed) {
  MouseMods mods;
  mods.left = (state & Button1Mask) != 0;
  mods.right = (state & Button3Mask) != 0;
  if (button == Button1) mods.left = pressed;
  if (button == Button3) mods.right = pressed;
  mods.shift = (state & ShiftMask) != 0;
  mods.ctrl = (state & ControlMask) != 0;
  mods.alt = (state & Mod1Mask) != 0;
  return mods;
}

EditorInput Pointer(EditorInput::Kind kind, int x, int y, const MouseMods& mods) {
  EditorInput input;
  input.kind = kind;
  input.x = x;
  input.y = y;
  input.mods = mods;
  return input;
}

}  // namespace

EditorInput X11EventTranslator::Translate(const _XEvent& event) {
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      EditorInput input;
      input.kind = EditorInput::Kind::kExpose;
      input.area = Rect(e.x, e.y, e.x + e.width, e.y + e.height);
      return input;
    }
    case ButtonPress: {
      const XButtonEvent& e = event.xbutton;
      const MouseMods mods = ModsOf(e.state, e.button, true);
      if (e.button == kWheelUpButton || e.button == kWheelDownButton) {
        EditorInput input = Pointer(EditorInput::Kind::kWheel, e.x, e.y, mods);
        input.notches = e.button == kWheelUpButton ? 1 : -1;
        return input;
      }
      if (e.button != Button1 && e.button != Button2 && e.button != Button3) return {};
      if (e.button != Button1) {
        havePress = false;
        return Pointer(EditorInput::Kind::kPress, e.x, e.y, mods);
      }
      if (IsSecondClick(e.time, e.x, e.y)) {
        havePress = false;
        return Pointer(EditorInput::Kind::kDoubleClick, e.x, e.y, mods);
      }
      havePress = true;
      pressTime = e.time;
      pressX = e.x;
      pressY = e.y;
      return Pointer(EditorInput::Kind::kPress, e.x, e.y, mods);
    }
    case ButtonRelease: {
      const XButtonEvent& e = event.xbutton;
      if (e.button != Button1 && e.button != Button2 && e.button != Button3) return {};
      return Pointer(EditorInput::Kind::kRelease, e.x, e.y, ModsOf(e.state, e.button, false));
    }
    case MotionNotify: {
      const XMotionEvent& e = event.xmotion;
      const MouseMods mods = ModsOf(e.state, 0, false);
      const bool dragging = mods.left || mods.right;
      return Pointer(dragging ? EditorInput::Kind::kDrag : EditorInput::Kind::kMove, e.x, e.y,
                     mods);
    }
    default:
      return {};
  }
}

bool X11EventTranslator::IsSecondClick(unsigned long time, int x, int y) const {
  if (!havePress) return false;
  // Server times are 32-bit milliseconds that wrap about every 49 days.
  const unsigned long elapsed = (time - pressTime) & 0xffffffffUL;
  return elapsed <= kDoubleClickMs && std::abs(x - pressX) <= kDoubleClickSlop &&
         std::abs(y - pressY) <= kDoubleClickSlop;
}
