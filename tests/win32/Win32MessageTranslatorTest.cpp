// Window messages to graphics-core inputs, without a window.
#include <gtest/gtest.h>

#include "editor/win32/Win32MessageTranslator.h"
#include "raster/Win32Api.h"

namespace {

using Kind = Win32Input::Kind;

Win32Input Translate(UINT message, WPARAM wParam, LPARAM lParam = 0, bool alt = false) {
  Win32InputContext context;
  context.altHeld = alt;
  context.windowLeft = 300;
  context.windowTop = 200;
  return Win32MessageTranslator::Translate(message, wParam, lParam, context);
}

WPARAM Wheel(int delta, WPARAM keys = 0) {
  return (static_cast<WPARAM>(static_cast<WORD>(delta)) << 16) | keys;
}

}  // namespace

TEST(Win32MessageTranslator, WheelCountsWholeNotchesAtTheWindowsPoint) {
  const std::pair<int, int> notches[] = {{60, 0},  {-60, 0},   {119, 0},   {120, 1},
                                         {-120, -1}, {-359, -2}, {480, 4}};
  for (const auto& [delta, expected] : notches) {
    EXPECT_EQ(Translate(WM_MOUSEWHEEL, Wheel(delta)).notches, expected) << delta;
  }
  const Win32Input input =
      Translate(WM_MOUSEWHEEL, Wheel(120, MK_SHIFT | MK_CONTROL), MakeLParam(350, 190), true);
  EXPECT_EQ(input.kind, Kind::kWheel);
  EXPECT_EQ(input.x, 50);
  EXPECT_EQ(input.y, -10) << "screen coordinates are signed";
  EXPECT_TRUE(input.mods.shift && input.mods.ctrl && input.mods.alt);
  EXPECT_FALSE(input.mods.left);
}

TEST(Win32MessageTranslator, ButtonsGiveThePointAndTheModsAfterTheMessage) {
  Win32Input press = Translate(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MakeLParam(30, 40));
  EXPECT_EQ(press.kind, Kind::kPress);
  EXPECT_EQ(press.x, 30);
  EXPECT_EQ(press.y, 40);
  EXPECT_TRUE(press.mods.left && press.mods.shift);
  EXPECT_FALSE(press.mods.ctrl || press.mods.alt || press.mods.right);

  Win32Input release = Translate(WM_LBUTTONUP, 0, MakeLParam(-3, 41), true);
  EXPECT_EQ(release.kind, Kind::kRelease);
  EXPECT_EQ(release.x, -3) << "outside the window while captured";
  EXPECT_FALSE(release.mods.left);
  EXPECT_TRUE(release.mods.alt) << "Alt comes from the key state, not the message";

  Win32Input right = Translate(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON | MK_CONTROL);
  EXPECT_TRUE(right.mods.right && right.mods.left && right.mods.ctrl);
  EXPECT_EQ(Translate(WM_MBUTTONDOWN, MK_MBUTTON).kind, Kind::kPress);
  EXPECT_EQ(Translate(WM_RBUTTONUP, 0).kind, Kind::kRelease);
  EXPECT_EQ(Translate(WM_MBUTTONUP, 0).kind, Kind::kRelease);

  EXPECT_EQ(Translate(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(7, 8)).kind, Kind::kDoubleClick);
  EXPECT_EQ(Translate(WM_RBUTTONDBLCLK, MK_RBUTTON).kind, Kind::kPress)
      << "only the left double-click is one";
  EXPECT_EQ(Translate(WM_MBUTTONDBLCLK, MK_MBUTTON).kind, Kind::kPress);

  EXPECT_EQ(Translate(WM_MOUSEMOVE, MK_LBUTTON).kind, Kind::kDrag);
  EXPECT_EQ(Translate(WM_MOUSEMOVE, MK_RBUTTON).kind, Kind::kDrag);
  EXPECT_EQ(Translate(WM_MOUSEMOVE, MK_MBUTTON | MK_SHIFT).kind, Kind::kMove);
  for (UINT other : {WM_PAINT, WM_TIMER, WM_CHAR, WM_SETFOCUS, WM_CLOSE}) {
    EXPECT_EQ(Translate(other, MK_LBUTTON).kind, Kind::kNothing) << other;
  }
}

TEST(Win32MessageTranslator, KeyCodesMapToControlKeyNumbers) {
  const std::pair<WPARAM, int> table[] = {
      {VK_SPACE, 0}, {VK_UP, 1},  {VK_DOWN, 2}, {VK_LEFT, 3}, {VK_RIGHT, 4},    {'0', 5},
      {'9', 14},     {'A', 15},   {'Z', 40},    {97, 15},     {122, 40},        {47, -1},
      {58, -1},      {64, -1},    {91, -1},     {96, -1},     {123, -1},        {VK_RETURN, -1},
      {VK_MENU, -1}, {0x1234, -1}};
  for (const auto& [code, number] : table) {
    EXPECT_EQ(Win32MessageTranslator::ControlKeyFor(code), number) << "code " << code;
  }
  Win32Input down = Translate(WM_KEYDOWN, 'B');
  EXPECT_EQ(down.kind, Kind::kKeyDown);
  EXPECT_EQ(down.key, 16);
  Win32Input up = Translate(WM_KEYUP, VK_RETURN);
  EXPECT_EQ(up.kind, Kind::kKeyUp);
  EXPECT_EQ(up.key, -1);
}
