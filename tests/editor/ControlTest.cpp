#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/IBitmapControl.h"
#include "editor/IContactControl.h"
#include "editor/IKnobMultiControl.h"
#include "editor/IRadioButtonsControl.h"
#include "editor/ISwitchControl.h"
#include "editor/ITextControl.h"
#include "editor/IURLControl.h"

namespace {

// One graphics object on the test plug-in, surfaces made, whole area drawable.
struct Bench {
  Bench() : graphics(&plug) {}
  template <typename Control>
  Control* Add(Control* control) {
    graphics.AddControl(control);
    return control;
  }
  void Start() {
    for (int i = 0; i < plug.NParams(); ++i)
      graphics.ShowNormalizedValue(i, plug.GetParam(i)->ToNormalized());
    graphics.CreateSurfaces();
    graphics.Redraw(Rect(0, 0, graphics.Width(), graphics.Height()));
  }
  int FrameShownAt(int x, int y) {
    graphics.RedrawAll();
    const LICE_pixel p = PixelAt(graphics, x, y);
    return LICE_GetR(p) + (LICE_GetG(p) == ((LICE_GetR(p) * 7) & 255) ? 1 : -1000);
  }

  EditorTestPlug plug;
  RecordingGraphics graphics;
};

TEST(KnobControl, DragAndWheelFigures) {
  Bench b;
  auto frames = MakeFrames(101, 64, 64);
  auto* knob = b.Add(new IKnobMultiControl(&b.plug, 0, 0, 0, StripOf(frames.get(), 101)));
  auto* flat = b.Add(
      new IKnobMultiControl(&b.plug, 0, 0, 1, StripOf(frames.get(), 101), kKnobHorizontal, 2.0));
  b.Start();
  EXPECT_EQ(knob->GetRect(), Rect(0, 0, 64, 64));

  knob->SetValue(0.0);
  knob->MouseDrag(0, 0, 0, -10, Left());
  EXPECT_EQ(knob->Value(), 0.0390625) << "10 / 64 / 4";
  knob->MouseDrag(0, 0, 0, 10, LeftShift());
  EXPECT_DOUBLE_EQ(knob->Value(), 0.0390625 - 0.00390625);
  knob->MouseDrag(0, 0, 0, 1000, Left());
  EXPECT_EQ(knob->Value(), 0.0) << "clamped when marked changed";

  knob->MouseWheel(0, 0, MouseMods(), 1);
  EXPECT_EQ(knob->Value(), 0.01);
  knob->MouseWheel(0, 0, MouseMods{false, false, false, true, false}, 2);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.012);
  knob->MouseWheel(0, 0, MouseMods(), 500);
  EXPECT_EQ(knob->Value(), 1.0);

  flat->SetValue(0.5);
  flat->MouseDrag(0, 0, 16, -30, Left());
  EXPECT_EQ(flat->Value(), 0.5 + 16.0 / 64 / 2) << "horizontal knobs follow x only";
  EXPECT_EQ(b.plug.log.back(), "set 1=" + EditorTestPlug::Number(flat->Value()));
}

TEST(KnobControl, FrameFollowsTheValue) {
  Bench b;
  auto frames = MakeFrames(101, 4, 4);
  auto* knob = b.Add(new IKnobMultiControl(&b.plug, 0, 0, 0, StripOf(frames.get(), 101)));
  b.Start();
  const struct {
    double value;
    int frame;
  } cases[] = {{0.0, 1}, {0.5, 51}, {1.0, 101}, {0.004, 1}, {0.005, 2}, {1.7, 101}, {-1, 1}};
  for (const auto& c : cases) {
    knob->SetValue(c.value);
    EXPECT_EQ(b.FrameShownAt(1, 1), c.frame) << c.value;
  }
}

TEST(BitmapControl, OneFrameStripsAlwaysShowTheirOnlyFrame) {
  Bench b;
  auto frames = MakeFrames(3, 4, 4);
  auto* single = b.Add(new IBitmapControl(&b.plug, 0, 0, -1, StripOf(frames.get(), 1)));
  auto* three = b.Add(new IBitmapControl(&b.plug, 10, 0, -1, StripOf(frames.get(), 3)));
  b.Start();
  EXPECT_EQ(single->GetRect(), Rect(0, 0, 4, 12));
  single->SetValue(1.0);
  three->SetValue(0.5);
  EXPECT_EQ(b.FrameShownAt(1, 1), 1);
  EXPECT_EQ(b.FrameShownAt(11, 1), 2);
}

TEST(SwitchControl, ClicksStepAndWrap) {
  Bench b;
  auto frames = MakeFrames(3, 4, 4);
  auto* two = b.Add(new ISwitchControl(&b.plug, 0, 0, 3, StripOf(frames.get(), 2)));
  auto* three = b.Add(new ISwitchControl(&b.plug, 10, 0, 2, StripOf(frames.get(), 3)));
  b.Start();

  two->SetValue(1.0);
  two->MouseDown(0, 0, Right());
  EXPECT_EQ(two->Value(), 0.0) << "1 + 1 > 1.001; right clicks step too";
  two->MouseDoubleClick(0, 0, Left());
  EXPECT_EQ(two->Value(), 1.0) << "a double-click is another click";

  std::vector<double> seen;
  for (int i = 0; i < 4; ++i) {
    three->MouseDown(0, 0, Left());
    seen.push_back(three->Value());
  }
  EXPECT_EQ(seen, (std::vector<double>{0.5, 1.0, 0.0, 0.5}));
  EXPECT_EQ(b.plug.log, (std::vector<std::string>{"set 3=0", "set 3=1", "set 2=0.5", "set 2=1",
                                                  "set 2=0", "set 2=0.5"}));
}

TEST(ContactControl, PushesOneOnPressAndZeroOnRelease) {
  Bench b;
  auto frames = MakeFrames(2, 4, 4);
  auto* contact = b.Add(new IContactControl(&b.plug, 0, 0, 3, StripOf(frames.get(), 2)));
  b.Start();
  b.graphics.MouseDown(1, 1, Left());
  EXPECT_EQ(contact->Value(), 1.0);
  EXPECT_EQ(b.FrameShownAt(1, 1), 2);
  b.graphics.MouseUp(1, 1, Left());
  EXPECT_EQ(contact->Value(), 0.0);
  EXPECT_EQ(b.plug.log, (std::vector<std::string>{"begin 3", "set 3=1", "set 3=0", "end 3"}));
}

TEST(RadioButtons, ButtonsSpreadDownTheOuterRect) {
  Bench b;
  auto frames = MakeFrames(2, 34, 34);
  auto* noise = b.Add(
      new IRadioButtonsControl(&b.plug, Rect(91, 260, 125, 390), 2, 5, StripOf(frames.get(), 2)));
  auto* spaced =
      b.Add(new IRadioButtonsControl(&b.plug, Rect(0, 0, 34, 200), 2, 3, StripOf(frames.get(), 2)));
  ASSERT_EQ(noise->NButtons(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(noise->Button(i), Rect(91, 260 + 24 * i, 125, 294 + 24 * i));
  EXPECT_EQ(spaced->Button(1), Rect(0, 83, 34, 117)) << "step 34 + trunc(98 / 2)";
  EXPECT_EQ(spaced->Button(2), Rect(0, 166, 34, 200));
}

TEST(RadioButtons, ClicksSelectTheFirstButtonHitAndAlwaysPush) {
  Bench b;
  auto frames = MakeFrames(2, 34, 34);
  auto* spaced =
      b.Add(new IRadioButtonsControl(&b.plug, Rect(0, 0, 34, 200), 2, 3, StripOf(frames.get(), 2)));
  auto* overlap = b.Add(
      new IRadioButtonsControl(&b.plug, Rect(50, 0, 84, 130), 3, 5, StripOf(frames.get(), 2)));
  b.Start();

  spaced->MouseDown(10, 90, Left());
  EXPECT_EQ(spaced->Value(), 0.5);
  spaced->MouseDown(10, 50, Left());
  EXPECT_EQ(spaced->Value(), 0.5) << "between buttons: unchanged";
  EXPECT_EQ(b.plug.log, (std::vector<std::string>{"set 2=0.5", "set 2=0.5"}));

  overlap->MouseDown(55, 30, Left());
  EXPECT_EQ(overlap->Value(), 0.0) << "inside buttons 0 and 1: the search starts at 0";
  overlap->SetValue(1.0);
  b.plug.log.clear();
  overlap->MouseDown(55, 30, Right());
  EXPECT_EQ(overlap->Value(), 1.0);
  EXPECT_TRUE(b.plug.log.empty()) << "a right-click only prompts, and prompting is off";
}

TEST(RadioButtons, OnlyTheActiveButtonShowsTheSecondFrame) {
  Bench b;
  auto frames = MakeFrames(2, 10, 10);
  auto* group =
      b.Add(new IRadioButtonsControl(&b.plug, Rect(0, 0, 10, 90), 2, 5, StripOf(frames.get(), 2)));
  b.Start();
  group->SetValue(0.5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(b.FrameShownAt(5, group->Button(i).top + 5), i == 2 ? 2 : 1) << i;
  }
  group->SetValue(0.62);
  EXPECT_EQ(b.FrameShownAt(5, group->Button(2).top + 5), 2) << "trunc(4 * 0.62 + 0.5) = 2";
}

TEST(TextControl, SameTextCausesNoRedraw) {
  Bench b;
  auto* text = b.Add(new ITextControl(&b.plug, Rect(0, 0, 100, 20), TextStyle(), "On"));
  b.Start();
  b.graphics.Tick();
  EXPECT_FALSE(text->NeedsRedraw());
  text->SetText("On");
  EXPECT_FALSE(text->NeedsRedraw());
  text->SetText("Off");
  EXPECT_TRUE(text->NeedsRedraw());
  EXPECT_EQ(text->Text(), "Off");
  b.graphics.Tick();
  EXPECT_FALSE(text->NeedsRedraw()) << "a text change draws once";
}

TEST(ControlDefaults, DoubleClickRestoresTheFirstHostValue) {
  Bench b;
  auto frames = MakeFrames(101, 4, 4);
  auto* unset = b.Add(new IKnobMultiControl(&b.plug, 0, 0, 1, StripOf(frames.get(), 101)));
  auto* knob = b.Add(new IKnobMultiControl(&b.plug, 0, 0, 0, StripOf(frames.get(), 101)));
  unset->SetValue(0.3);
  unset->MouseDoubleClick(0, 0, Left());
  EXPECT_EQ(unset->Value(), 0.3) << "no default yet";
  EXPECT_TRUE(b.plug.log.empty());

  knob->ValueFromHost(0.5);
  EXPECT_EQ(knob->DefaultValue(), 0.5);
  knob->ValueFromHost(0.8);
  EXPECT_EQ(knob->DefaultValue(), 0.5) << "only the first value sets the default";
  knob->MouseDoubleClick(0, 0, Left());
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(b.plug.log, (std::vector<std::string>{"set 0=0.5"}));
}

TEST(ControlDisplays, PushedValuesReachTheValueAndNameDisplays) {
  Bench b;
  auto frames = MakeFrames(2, 4, 4);
  auto* value = b.Add(new ITextControl(&b.plug, Rect(0, 10, 50, 20), TextStyle()));
  auto* name = b.Add(new ITextControl(&b.plug, Rect(0, 20, 50, 30), TextStyle()));
  auto* knob = b.Add(new IKnobMultiControl(&b.plug, 0, 0, 0, StripOf(frames.get(), 2)));
  knob->SetValueDisplay(value);
  knob->SetNameDisplay(name);
  knob->SetValue(0.25);
  knob->MarkChanged(true);
  char expected[32];
  b.plug.GetParam(0)->FormatValue(25.0, false, expected, sizeof expected, true);
  EXPECT_EQ(value->Text(), std::string(expected) + " %");
  EXPECT_EQ(name->Text(), "Level");
}

TEST(ControlPrompt, RightClickOpensAnEntryOnlyWhenEnabled) {
  Bench b;
  auto frames = MakeFrames(2, 64, 64);
  auto* knob = b.Add(new IKnobMultiControl(&b.plug, 100, 20, 0, StripOf(frames.get(), 2)));
  auto* none = b.Add(new IKnobMultiControl(&b.plug, 0, 0, -1, StripOf(frames.get(), 2)));
  b.Start();
  knob->MouseDown(110, 30, Right());
  EXPECT_TRUE(b.graphics.entries.empty()) << "prompting is off by default";

  knob->SetPromptDisabled(false);
  none->SetPromptDisabled(false);
  none->MouseDown(1, 1, Right());
  EXPECT_TRUE(b.graphics.entries.empty()) << "no parameter, no prompt";
  knob->MouseDown(110, 30, Right());
  ASSERT_EQ(b.graphics.entries.size(), 1u);
  EXPECT_EQ(b.graphics.entries[0], "50.00");
  EXPECT_EQ(b.graphics.entryRects[0], Rect(112, 44, 152, 60)) << "40 x 16 around the centre";
}

TEST(URLControl, OpensTheAddressThenTheFallback) {
  Bench b;
  auto* link = b.Add(new IURLControl(&b.plug, Rect(0, 0, 10, 10), "https://a.example"));
  auto* both =
      b.Add(new IURLControl(&b.plug, Rect(0, 0, 10, 10), "https://a.example", "https://b.example"));
  auto* empty = b.Add(new IURLControl(&b.plug, Rect(0, 0, 10, 10), "", "https://b.example"));
  b.Start();
  link->MouseDown(1, 1, Right());
  EXPECT_EQ(b.graphics.pages, (std::vector<std::string>{"https://a.example"}));
  both->MouseDown(1, 1, Left());
  empty->MouseDown(1, 1, Left());
  b.graphics.pageOpens = true;
  both->MouseDown(1, 1, Left());
  EXPECT_EQ(b.graphics.pages,
            (std::vector<std::string>{"https://a.example", "https://a.example", "https://b.example",
                                      "https://b.example", "https://a.example"}));
  EXPECT_TRUE(link->Draw(&b.graphics));
  EXPECT_TRUE(b.plug.log.empty());
}

}  // namespace
