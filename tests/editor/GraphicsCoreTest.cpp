#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "EditorTestSupport.h"
#include "editor/IBitmapControl.h"
#include "editor/IKnobMultiControl.h"
#include "editor/ISwitchControl.h"
#include "editor/ITextControl.h"
#include "raster/LICE_CachedFont.h"

namespace {

// Two overlapping two-frame switches over a plain background control.
struct OverlapEditor {
  OverlapEditor() : frames(MakeFrames(2, 40, 20)), graphics(&plug) {
    const BitmapStrip strip = StripOf(frames.get(), 2);
    graphics.SetBackground(new IBitmapControl(&plug, 0, 0, -1, StripOf(frames.get(), 1)));
    graphics.AddControl(new ISwitchControl(&plug, 10, 10, 2, strip));  // (10,10)-(50,30)
    graphics.AddControl(new ISwitchControl(&plug, 30, 20, 3, strip));  // (30,20)-(70,40)
    for (int i = 0; i < plug.NParams(); ++i)
      graphics.ShowNormalizedValue(i, plug.GetParam(i)->ToNormalized());
    graphics.CreateSurfaces();
  }
  IControl* Lower() { return graphics.GetControl(1); }
  IControl* Upper() { return graphics.GetControl(2); }

  EditorTestPlug plug;
  std::unique_ptr<LICE_MemBitmap> frames;
  RecordingGraphics graphics;
};

TEST(GraphicsHitTest, TopMostControlTakesTheClickAndTheGestureIsBracketed) {
  OverlapEditor e;
  EXPECT_EQ(e.graphics.FindControlAt(35, 25), 2);
  EXPECT_EQ(e.graphics.FindControlAt(15, 15), 1);
  EXPECT_EQ(e.graphics.FindControlAt(100, 90), -1) << "the background covers only its frame";
  EXPECT_EQ(e.graphics.FindControlAt(5, 5), 0);

  e.graphics.MouseDown(35, 25, Left());
  EXPECT_EQ(e.graphics.Capture(), 2);
  EXPECT_EQ(e.graphics.LastMouseX(), 35);
  e.graphics.MouseUp(35, 25, Left());
  EXPECT_EQ(e.graphics.Capture(), -1);
  EXPECT_EQ(e.graphics.LastMouseX(), -1);
  EXPECT_EQ(e.Upper()->Value(), 1.0);
  EXPECT_EQ(e.Lower()->Value(), 0.0);
  EXPECT_EQ(e.plug.log, (std::vector<std::string>{"begin 3", "set 3=1", "end 3"}));
}

TEST(GraphicsHitTest, GreyedAndHiddenControlsLetTheMouseThrough) {
  OverlapEditor e;
  e.Upper()->SetGreyed(true);
  EXPECT_EQ(e.Upper()->Blend().weight, 0.25f);
  EXPECT_EQ(e.graphics.FindControlAt(35, 25), 1);

  e.graphics.MouseDown(35, 25, Left());
  e.graphics.MouseUp(35, 25, Left());
  e.graphics.MouseDoubleClick(35, 25, Left());
  e.graphics.MouseWheel(35, 25, Left(), 1);
  EXPECT_EQ(e.Upper()->Value(), 0.0);
  EXPECT_EQ(e.Lower()->Value(), 0.0) << "pressed, then double-clicked: two toggles";
  EXPECT_EQ(e.plug.log, (std::vector<std::string>{"begin 2", "set 2=1", "end 2", "set 2=0"}))
      << "double-clicks and wheel are not bracketed";

  e.Upper()->SetGreyed(false);
  EXPECT_EQ(e.Upper()->Blend().weight, 1.0f);
  e.Upper()->SetHidden(true);
  EXPECT_EQ(e.graphics.FindControlAt(35, 25), 1);
}

TEST(GraphicsHitTest, ReleaseGoesToTheCapturedControlWherever) {
  OverlapEditor e;
  e.graphics.MouseDown(15, 15, Left());
  e.plug.log.clear();
  e.graphics.MouseUp(190, 90, Left());
  EXPECT_EQ(e.plug.log, (std::vector<std::string>{"end 2"}));
  e.plug.log.clear();
  e.graphics.MouseUp(190, 90, Left());
  EXPECT_TRUE(e.plug.log.empty()) << "nothing captured and nothing under the mouse";
}

TEST(GraphicsHitTest, DragDeltasCountFromTheLastPosition) {
  EditorTestPlug plug;
  auto frames = MakeFrames(101, 10, 64);
  RecordingGraphics graphics(&plug);
  graphics.AddControl(new IKnobMultiControl(&plug, 0, 0, 0, StripOf(frames.get(), 101)));
  graphics.ShowNormalizedValue(0, 0.5);
  graphics.CreateSurfaces();
  IControl* knob = graphics.GetControl(0);

  graphics.MouseDown(5, 40, Left());
  graphics.MouseDrag(5, 30, Left());
  EXPECT_EQ(knob->Value(), 0.5 + 10.0 / 64 / 4);
  graphics.MouseDrag(5, 30, Left());
  EXPECT_EQ(knob->Value(), 0.5 + 10.0 / 64 / 4) << "no movement, no drag";
  graphics.MouseDrag(5, 40, Left());
  EXPECT_EQ(knob->Value(), 0.5);
  graphics.MouseUp(5, 40, Left());
  graphics.MouseDrag(5, 0, Left());
  EXPECT_EQ(knob->Value(), 0.5) << "nothing captured after the release";
}

TEST(GraphicsKeys, KeysNoControlUsesBelongToTheHost) {
  OverlapEditor e;
  EXPECT_FALSE(e.graphics.KeyDown(35, 25, 0));
  EXPECT_FALSE(e.graphics.KeyDown(5, 5, 0));
  EXPECT_FALSE(e.graphics.MouseOver(35, 25, MouseMods()));
}

TEST(GraphicsHostValues, PlainValuesAreClampedAndShapedBeforeTheyReachControls) {
  OverlapEditor e;
  auto frames = MakeFrames(101, 10, 10);
  // A knob on parameter 1 (shape 2) that also shows parameter 0.
  auto* knob = new IKnobMultiControl(&e.plug, 100, 0, 1, StripOf(frames.get(), 101));
  knob->AddAuxParam(0);
  e.graphics.AddControl(knob);
  knob->ValueFromHost(0.0);  // first value: the default

  e.graphics.SetParameterFromHost(1, 25.0, false);
  e.graphics.SetParameterFromHost(0, 150.0, false);
  EXPECT_EQ(knob->Value(), 0.0) << "applied only on the editor's thread";
  e.graphics.DrainHostHandOff();
  EXPECT_EQ(knob->Value(), 0.5) << "(25 / 100) ^ (1 / 2)";
  EXPECT_EQ(knob->GetAuxParam(0)->value, 1.0) << "150 is clamped to 100";

  e.graphics.SetParameterFromHost(1, -7.0, false);
  e.graphics.SetParameterFromHost(3, 0.75, true);
  e.graphics.SetParameterFromHost(1, std::nan(""), true);
  e.graphics.SetParameterFromHost(9, 1.0, false);
  e.graphics.DrainHostHandOff();
  EXPECT_EQ(knob->Value(), 0.0);
  EXPECT_EQ(e.Upper()->Value(), 0.75);
  EXPECT_TRUE(e.plug.log.empty()) << "host values are never sent back";
}

TEST(GraphicsHostValues, OtherThreadsOnlyPostAndTheEditorThreadApplies) {
  EditorTestPlug plug;
  auto frames = MakeFrames(2, 10, 10);
  RecordingGraphics graphics(&plug);
  graphics.AddControl(new ISwitchControl(&plug, 0, 0, 3, StripOf(frames.get(), 2)));
  graphics.AddControl(new ITextControl(&plug, Rect(0, 20, 100, 40), TextStyle()));
  graphics.ShowNormalizedValue(3, 0.0);
  graphics.CreateSurfaces();
  auto* text = static_cast<ITextControl*>(graphics.GetControl(1));

  std::thread host([&] {
    graphics.SetParameterFromHost(3, 1.0, false);
    graphics.SetGreyed(0, true);
    graphics.SetControlText(1, "first");
    graphics.SetControlText(1, "Level \n12.5 %");
    graphics.SetControlText(7, "nowhere");
  });
  host.join();
  EXPECT_EQ(graphics.GetControl(0)->Value(), 0.0);
  EXPECT_FALSE(graphics.GetControl(0)->IsGreyed());
  EXPECT_EQ(text->Text(), "");

  graphics.Redraw(Rect(0, 0, 1, 1));  // a paint drains first
  EXPECT_EQ(graphics.GetControl(0)->Value(), 1.0);
  EXPECT_TRUE(graphics.GetControl(0)->IsGreyed());
  EXPECT_EQ(text->Text(), "Level \n12.5 %") << "the newest text wins";

  graphics.SetGreyed(0, false);
  graphics.DrainHostHandOff();
  EXPECT_FALSE(graphics.GetControl(0)->IsGreyed());
}

TEST(GraphicsRedraw, DirtyControlsAreCollectedAndAHostChangeDrawsTwice) {
  OverlapEditor e;
  Rect area;
  ASSERT_TRUE(e.graphics.CollectDirtyArea(&area));
  EXPECT_EQ(area, Rect(0, 0, 70, 40)) << "everything is dirty from construction";
  e.graphics.Tick();
  EXPECT_FALSE(e.graphics.CollectDirtyArea(&area));
  EXPECT_TRUE(area.Empty());

  e.graphics.SetParameterFromHost(3, 1.0, true);
  e.graphics.DrainHostHandOff();
  ASSERT_TRUE(e.graphics.CollectDirtyArea(&area));
  EXPECT_EQ(area, Rect(30, 20, 70, 40));
  e.graphics.Tick();
  EXPECT_TRUE(e.graphics.CollectDirtyArea(&area)) << "drawn on two consecutive frames";
  e.graphics.Tick();
  EXPECT_FALSE(e.graphics.CollectDirtyArea(&area));

  e.graphics.MarkAllControlsChanged();
  e.graphics.Tick();
  e.graphics.Tick();
  EXPECT_FALSE(e.graphics.CollectDirtyArea(&area)) << "posted marks are drawn once";
}

TEST(GraphicsRedraw, DrawingStaysInsideTheUpdateArea) {
  OverlapEditor e;
  e.graphics.Redraw(Rect(0, 0, 20, 15));
  EXPECT_EQ(PixelAt(e.graphics, 12, 12), FrameColour(0));
  EXPECT_EQ(PixelAt(e.graphics, 25, 12), 0u) << "outside the area nothing is drawn";
  EXPECT_EQ(PixelAt(e.graphics, 12, 16), 0u);

  e.Upper()->SetValue(1.0);
  e.graphics.RedrawAll();
  EXPECT_EQ(PixelAt(e.graphics, 35, 25), FrameColour(1)) << "the upper switch is drawn last";
  EXPECT_EQ(PixelAt(e.graphics, 15, 15), FrameColour(0));
}

TEST(GraphicsBitmaps, TheCacheGivesOneBitmapPerIdAndMissingImagesDrawNothing) {
  EditorTestPlug plug;
  RecordingGraphics first(&plug);
  RecordingGraphics second(&plug);
  const BitmapStrip a = first.LoadBitmapStrip(120, "resources/img/undo1.png", 2);
  const BitmapStrip b = second.LoadBitmapStrip(120, "resources/img/undo1.png", 2);
  ASSERT_NE(a.bitmap, nullptr);
  EXPECT_EQ(a.bitmap, b.bitmap);
  EXPECT_EQ(a.width, 25);
  EXPECT_EQ(a.height, 50);
  EXPECT_EQ(a.FrameHeight(), 25);

  const BitmapStrip missing = first.LoadBitmapStrip(999, "resources/img/none.png", 0);
  EXPECT_EQ(missing.bitmap, nullptr);
  EXPECT_EQ(missing.frames, 1);
  first.AddControl(new IBitmapControl(&plug, 0, 0, -1, missing));
  first.CreateSurfaces();
  first.RedrawAll();
  EXPECT_FALSE(first.GetControl(0)->Draw(&first));
}

TEST(GraphicsBitmaps, FrameOffsetsAreRoundedFromTheStripHeight) {
  EditorTestPlug plug;
  // 3 frames over 10 rows: frame 2 starts at trunc(10 * 1 / 3 + 0.5) = 3,
  // frame 3 at trunc(10 * 2 / 3 + 0.5) = 7.
  LICE_MemBitmap bitmap(1, 10);
  for (int y = 0; y < 10; ++y) bitmap.Bits()[y * bitmap.RowSpan()] = LICE_RGBA(y, 0, 0, 255);
  RecordingGraphics graphics(&plug, 4, 4);
  graphics.CreateSurfaces();
  graphics.Redraw(Rect(0, 0, 4, 4));
  const BitmapStrip strip = StripOf(&bitmap, 3);
  for (int frame : {1, 2, 3}) {
    ASSERT_TRUE(graphics.DrawBitmapFrame(strip, Rect(0, 0, 1, 1), frame, nullptr));
    EXPECT_EQ(LICE_GetR(PixelAt(graphics, 0, 0)), (frame == 1 ? 0 : frame == 2 ? 3 : 7));
  }
}

TEST(GraphicsFonts, StylesDifferingOnlyInColourShareOneFont) {
  EditorTestPlug plug;
  RecordingGraphics graphics(&plug);
  TextStyle green("Arial", 15, Colour(255, 0, 255, 0));
  TextStyle red("Arial", 15, Colour(128, 255, 0, 0));
  TextStyle larger("Arial", 16, Colour(255, 0, 255, 0));
  LICE_CachedFont* font = graphics.FindFont(green);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(green.cachedFont, font);
  EXPECT_EQ(graphics.FindFont(red), font);
  EXPECT_NE(graphics.FindFont(larger), font);

  graphics.CreateSurfaces();
  graphics.Redraw(Rect(0, 0, 200, 100));
  Rect where(0, 0, 200, 30);
  EXPECT_TRUE(graphics.DrawText(red, "", where)) << "empty text draws nothing";
  EXPECT_TRUE(graphics.DrawText(red, "Wow", where));
  EXPECT_EQ(font->TextColour(), red.colour.Packed());
  Rect measured(10, 10, 10, 10);
  EXPECT_TRUE(graphics.DrawText(green, "Wow", measured, true));
  EXPECT_GT(measured.W(), 10);
  EXPECT_GT(measured.H(), 5);
}

}  // namespace
