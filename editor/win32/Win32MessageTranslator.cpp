#include "editor/win32/Win32MessageTranslator.h"

#include "raster/Win32Api.h"

namespace {

MouseMods ModsOf(WPARAM keys, bool altHeld) {
  MouseMods mods;
  mods.left = (keys & MK_LBUTTON) != 0;
  mods.right = (keys & MK_RBUTTON) != 0;
  mods.shift = (keys & MK_SHIFT) != 0;
  mods.ctrl = (keys & MK_CONTROL) != 0;
  mods.alt = altHeld;
  return mods;
}

Win32Input Pointer(Win32Input::Kind kind, LPARAM lParam, WPARAM wParam,
                   const Win32InputContext& context) {
  Win32Input input;
  input.kind = kind;
  input.x = SignedLowWord(lParam);
  input.y = SignedHighWord(lParam);
  input.mods = ModsOf(wParam, context.altHeld);
  return input;
}

}  // namespace

int Win32MessageTranslator::ControlKeyFor(std::uintptr_t virtualKey) {
  switch (virtualKey) {
    case VK_SPACE:
      return 0;
    case VK_UP:
      return 1;
    case VK_DOWN:
      return 2;
    case VK_LEFT:
      return 3;
    case VK_RIGHT:
      return 4;
    default:
      break;
  }
  if (virtualKey >= '0' && virtualKey <= '9') return 5 + static_cast<int>(virtualKey - '0');
  if (virtualKey >= 'A' && virtualKey <= 'Z') return 15 + static_cast<int>(virtualKey - 'A');
  if (virtualKey >= 'a' && virtualKey <= 'z') return 15 + static_cast<int>(virtualKey - 'a');
  return -1;
}

Win32Input Win32MessageTranslator::Translate(unsigned message, std::uintptr_t wParam,
                                             std::intptr_t lParam,
                                             const Win32InputContext& context) {
  using Kind = Win32Input::Kind;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    // With double-clicks on, the second right or middle press arrives as a
    // double-click; it is still a press, or its release would end a gesture
    // that never began.
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return Pointer(Kind::kPress, lParam, wParam, context);
    case WM_LBUTTONDBLCLK:
      return Pointer(Kind::kDoubleClick, lParam, wParam, context);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      return Pointer(Kind::kRelease, lParam, wParam, context);
    case WM_MOUSEMOVE: {
      const bool dragging = (wParam & (MK_LBUTTON | MK_RBUTTON)) != 0;
      return Pointer(dragging ? Kind::kDrag : Kind::kMove, lParam, wParam, context);
    }
    case WM_MOUSEWHEEL: {
      Win32Input input = Pointer(Kind::kWheel, lParam, wParam & 0xFFFF, context);
      input.x -= context.windowLeft;
      input.y -= context.windowTop;
      // Integer division: less than a whole notch gives 0.
      input.notches = SignedHighWord(static_cast<LONG_PTR>(wParam)) / WHEEL_DELTA;
      return input;
    }
    case WM_KEYDOWN:
    case WM_KEYUP: {
      Win32Input input;
      input.kind = message == WM_KEYDOWN ? Kind::kKeyDown : Kind::kKeyUp;
      input.key = ControlKeyFor(wParam);
      return input;
    }
    default:
      return {};
  }
}
