// X events to graphics-core inputs, without an X server.
// clang-format off
// GoogleTest before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
// clang-format on

#include "editor/x11/X11EventTranslator.h"

namespace {

using Kind = EditorInput::Kind;

XEvent Button(int type, unsigned int button, int x, int y, unsigned long time,
              unsigned int state = 0) {
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.button = button;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.time = time;
  event.xbutton.state = state;
  return event;
}

XEvent Motion(int x, int y, unsigned int state) {
  XEvent event{};
  event.xmotion.type = MotionNotify;
  event.xmotion.x = x;
  event.xmotion.y = y;
  event.xmotion.state = state;
  return event;
}

}  // namespace

TEST(X11EventTranslator, PressAndReleaseCarryTheButtonsHeldAfterTheEvent) {
  X11EventTranslator translator;
  EditorInput press = translator.Translate(Button(ButtonPress, Button1, 30, 40, 100));
  EXPECT_EQ(press.kind, Kind::kPress);
  EXPECT_EQ(press.x, 30);
  EXPECT_EQ(press.y, 40);
  EXPECT_TRUE(press.mods.left);
  EXPECT_FALSE(press.mods.right);

  EditorInput release =
      translator.Translate(Button(ButtonRelease, Button1, 31, 41, 900, Button1Mask));
  EXPECT_EQ(release.kind, Kind::kRelease);
  EXPECT_FALSE(release.mods.left);

  EditorInput right = translator.Translate(
      Button(ButtonPress, Button3, 5, 6, 2000, ShiftMask | ControlMask | Mod1Mask | Button1Mask));
  EXPECT_EQ(right.kind, Kind::kPress);
  EXPECT_TRUE(right.mods.right);
  EXPECT_TRUE(right.mods.left) << "still held from before";
  EXPECT_TRUE(right.mods.shift);
  EXPECT_TRUE(right.mods.ctrl);
  EXPECT_TRUE(right.mods.alt);

  EditorInput middle = translator.Translate(Button(ButtonPress, Button2, 5, 6, 3000));
  EXPECT_EQ(middle.kind, Kind::kPress);
  EXPECT_FALSE(middle.mods.left || middle.mods.right);
}

TEST(X11EventTranslator, WheelButtonsAreOneNotchEachAndOtherButtonsNothing) {
  X11EventTranslator translator;
  EditorInput up = translator.Translate(Button(ButtonPress, 4, 100, 120, 10, ShiftMask));
  EXPECT_EQ(up.kind, Kind::kWheel);
  EXPECT_EQ(up.notches, 1);
  EXPECT_EQ(up.x, 100);
  EXPECT_TRUE(up.mods.shift);
  EXPECT_EQ(translator.Translate(Button(ButtonPress, 5, 100, 120, 20)).notches, -1);
  EXPECT_EQ(translator.Translate(Button(ButtonRelease, 4, 100, 120, 30)).kind, Kind::kNothing);
  EXPECT_EQ(translator.Translate(Button(ButtonPress, 6, 100, 120, 40)).kind, Kind::kNothing);
  EXPECT_EQ(translator.Translate(Button(ButtonRelease, 7, 100, 120, 50)).kind, Kind::kNothing);
}

TEST(X11EventTranslator, MotionDragsOnlyWithTheLeftOrRightButton) {
  X11EventTranslator translator;
  EditorInput drag = translator.Translate(Motion(7, 9, Button1Mask));
  EXPECT_EQ(drag.kind, Kind::kDrag);
  EXPECT_TRUE(drag.mods.left);
  EXPECT_EQ(drag.x, 7);
  EXPECT_EQ(drag.y, 9);
  EXPECT_EQ(translator.Translate(Motion(7, 9, Button3Mask)).kind, Kind::kDrag);
  EXPECT_EQ(translator.Translate(Motion(7, 9, Button2Mask)).kind, Kind::kMove);
  EXPECT_EQ(translator.Translate(Motion(7, 9, 0)).kind, Kind::kMove);
}

TEST(X11EventTranslator, SecondLeftPressCloseInTimeAndPlaceIsADoubleClick) {
  X11EventTranslator translator;
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 10, 10, 1000)).kind, Kind::kPress);
  EditorInput second = translator.Translate(Button(ButtonPress, Button1, 12, 8, 1400));
  EXPECT_EQ(second.kind, Kind::kDoubleClick);
  EXPECT_TRUE(second.mods.left);
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 12, 8, 1450)).kind, Kind::kPress)
      << "the press after a double-click starts over";

  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 12, 8, 1851)).kind, Kind::kPress)
      << "401 ms later";
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 15, 8, 1900)).kind, Kind::kPress)
      << "3 pixels away";
  translator.Translate(Button(ButtonPress, Button3, 15, 8, 1950));
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 15, 8, 2000)).kind, Kind::kPress)
      << "another button came between";
  translator.Reset();
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 15, 8, 2100)).kind, Kind::kPress);
}

TEST(X11EventTranslator, DoubleClickSpansTheServerClockWrap) {
  X11EventTranslator translator;
  translator.Translate(Button(ButtonPress, Button1, 50, 50, 0xffffff00UL));
  EXPECT_EQ(translator.Translate(Button(ButtonPress, Button1, 50, 50, 0x50)).kind,
            Kind::kDoubleClick);
}

TEST(X11EventTranslator, ExposeGivesItsAreaAndUnknownEventsNothing) {
  X11EventTranslator translator;
  XEvent expose{};
  expose.xexpose.type = Expose;
  expose.xexpose.x = 20;
  expose.xexpose.y = 30;
  expose.xexpose.width = 100;
  expose.xexpose.height = 50;
  EditorInput input = translator.Translate(expose);
  EXPECT_EQ(input.kind, Kind::kExpose);
  EXPECT_EQ(input.area, Rect(20, 30, 120, 80));

  XEvent key{};
  key.xkey.type = KeyPress;
  EXPECT_EQ(translator.Translate(key).kind, Kind::kNothing);
}
