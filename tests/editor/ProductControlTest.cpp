#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "editor/IBitmapControl.h"
#include "editor/IGraphics.h"
#include "editor/ITextControl.h"
#include "editor/IURLControl.h"
#include "product/MyIContactControl.h"
#include "product/MyIKnobMultiControl.h"
#include "product/MyIRadioButtonsControl.h"
#include "product/ParameterTable.h"
#include "product/MyISwitchControl.h"
#include "vst2/Tovrane.h"

namespace {

// The product with its real editor, logging what the editor pushes.
class LoggingTovrane : public Tovrane {
 public:
  void SetParameterFromEditor(int index, double normalized) override {
    log.push_back("set " + std::to_string(index) + "=" + EditorTestPlug::Number(normalized));
    Tovrane::SetParameterFromEditor(index, normalized);
  }
  void BeginParameterEdit(int index) override { log.push_back("begin " + std::to_string(index)); }
  void EndParameterEdit(int index) override { log.push_back("end " + std::to_string(index)); }

  std::vector<std::string> log;
};

// Whether every parameter holds the field the product plays, as the host
// shows and a saved session keeps it.
bool BaseHoldsTheLiveSettings(Tovrane& plug) {
  for (const ParameterRow& row : kParameterTable) {
    const double field = SnapshotField(row, plug.Product().LiveSnapshot());
    if (!std::isnan(field) && FieldOfParameter(row, *plug.GetParam(row.index)) != field) {
      return false;
    }
  }
  return true;
}

struct Product {
  Product() : plug(std::make_unique<LoggingTovrane>()), graphics(plug->Product().Graphics()) {
    graphics->DrainHostHandOff();
  }
  void Click(int x, int y, const MouseMods& mods = Left()) {
    graphics->MouseDown(x, y, mods);
    graphics->MouseUp(x, y, mods);
  }
  // What a host's set-parameter call does.
  void HostSets(int index, double normalized) {
    AEffect* effect = plug->Effect();
    effect->setParameter(effect, index, static_cast<float>(normalized));
    graphics->DrainHostHandOff();
  }
  const SnapshotHistory& History() { return plug->Product().History(); }

  std::unique_ptr<LoggingTovrane> plug;
  IGraphics* graphics;
};

constexpr int kLfKnob = 17;
constexpr int kHfKnob = 18;
constexpr int kAgeKnob = 19;

TEST(EditorLayout, ControlsSitWhereTheArtworkExpectsThem) {
  Product p;
  IGraphics& g = *p.graphics;
  ASSERT_EQ(g.NControls(), 25);
  EXPECT_EQ(g.Width(), 1000);
  EXPECT_EQ(g.Height(), 420);
  EXPECT_EQ(g.FrameRate(), 25);

  const auto* background = dynamic_cast<IBitmapControl*>(g.GetControl(0));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->GetRect(), Rect(0, 0, 1000, 420));
  EXPECT_EQ(background->Blend().method, kBlendCopy);
  EXPECT_EQ(background->ParamIdx(), -1);

  const struct {
    int index;
    Rect rect;
    int param;
  } buttons[] = {{1, Rect(18, 8, 43, 33), kUndo},
                 {2, Rect(68, 8, 93, 33), kRedo},
                 {3, Rect(168, 8, 243, 33), kCopy},
                 {4, Rect(118, 8, 168, 33), kAB},
                 {23, Rect(932, 359, 996, 423), kPower}};
  for (const auto& b : buttons) {
    EXPECT_EQ(g.GetControl(b.index)->GetRect(), b.rect) << b.index;
    EXPECT_EQ(g.GetControl(b.index)->ParamIdx(), b.param) << b.index;
  }
  for (int i : {1, 2, 3}) EXPECT_NE(dynamic_cast<MyIContactControl*>(g.GetControl(i)), nullptr);
  EXPECT_NE(dynamic_cast<MyISwitchControl*>(g.GetControl(4)), nullptr);
  EXPECT_EQ(dynamic_cast<MyISwitchControl*>(g.GetControl(23)), nullptr) << "power is plain";

  const auto* link = dynamic_cast<IURLControl*>(g.GetControl(5));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetRect(), Rect(880, 0, 1000, 40));
  EXPECT_EQ(std::string(link->Address()).rfind("https://", 0), 0u);

  const auto* noise = dynamic_cast<MyIRadioButtonsControl*>(g.GetControl(6));
  const auto* profile = dynamic_cast<MyIRadioButtonsControl*>(g.GetControl(7));
  ASSERT_NE(noise, nullptr);
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(noise->ParamIdx(), kNoiseType);
  EXPECT_EQ(profile->ParamIdx(), kProfile);
  ASSERT_EQ(noise->NButtons(), 5);
  ASSERT_EQ(profile->NButtons(), 4);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(noise->Button(i), Rect(91, 260 + 24 * i, 125, 294 + 24 * i));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(profile->Button(i), Rect(456, 93 + 22 * i, 490, 127 + 22 * i));

  const int knobParams[] = {kInputGain, kOutputGain, kNoiseAmp,  kNoiseDynamic, kSpeed,
                            kWow,       kScratch,    kHarmonics, kTubeDrive,    kLfBoost,
                            kHfBoost,   kAge,        kWide,      kQuadMix,      kQuadDelay};
  for (int i = 8; i <= 22; ++i) {
    const auto* knob = dynamic_cast<MyIKnobMultiControl*>(g.GetControl(i));
    ASSERT_NE(knob, nullptr) << i;
    EXPECT_EQ(knob->ParamIdx(), knobParams[i - 8]) << i;
    EXPECT_EQ(knob->GetRect().W(), 64);
    EXPECT_EQ(knob->GetRect().H(), 64);
    EXPECT_EQ(knob->Gearing(), 4.0);
    EXPECT_EQ(knob->Direction(), kKnobVertical);
  }
  EXPECT_EQ(g.GetControl(8)->GetRect(), Rect(28, 108, 92, 172));

  auto* readout = dynamic_cast<ITextControl*>(g.GetControl(24));
  ASSERT_NE(readout, nullptr);
  EXPECT_EQ(readout->GetRect(), Rect(663, 368, 773, 399));
  EXPECT_STREQ(readout->GetTextStyle().fontName, "Arial");
  EXPECT_EQ(readout->GetTextStyle().size, 15);
  EXPECT_EQ(readout->GetTextStyle().colour, Colour(255, 0, 255, 0));
  EXPECT_EQ(readout->Text(), "");

  EXPECT_STREQ(p.plug->GetParam(kAB)->Name(), "AB");
  EXPECT_STREQ(p.plug->GetParam(kPower)->Name(), "Power");
}

TEST(EditorLayout, ControlsStartFromTheParameterDefaults) {
  Product p;
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.5) << "Input Gain 50 %";
  EXPECT_EQ(p.graphics->GetControl(8)->DefaultValue(), 0.5);
  EXPECT_EQ(p.graphics->GetControl(20)->Value(), 0.2) << "Wide 20 %";
  EXPECT_EQ(p.graphics->GetControl(12)->Value(), 1.0) << "Speed 100 %";
  EXPECT_EQ(p.graphics->GetControl(6)->Value(), 0.0);
}

TEST(EditorLayout, ClicksBetweenKnobsAndOnOverlappingButtons) {
  Product p;
  const EngineSnapshot before = p.plug->Product().LiveSnapshot();
  EXPECT_EQ(p.graphics->FindControlAt(100, 150), 0);
  p.Click(100, 150);
  EXPECT_TRUE(p.plug->log.empty()) << "only the background is there";
  EXPECT_EQ(std::memcmp(&before, &p.plug->Product().LiveSnapshot(), sizeof before), 0);

  p.HostSets(kNoiseType, 1.0);
  EXPECT_EQ(p.graphics->GetControl(6)->Value(), 1.0);
  p.Click(95, 290);
  EXPECT_EQ(p.graphics->GetControl(6)->Value(), 0.0) << "button 0 is searched first";
  EXPECT_EQ(p.plug->GetParam(kNoiseType)->Value(), 0.0);
  EXPECT_EQ(p.plug->Product().LiveSnapshot().noiseType, 0);
}

TEST(EditorLayout, ProfileThreeGreysTheToneKnobsWhichThenIgnoreTheMouse) {
  Product p;
  p.HostSets(kProfile, 1.0);
  for (int i : {kLfKnob, kHfKnob, kAgeKnob}) {
    EXPECT_TRUE(p.graphics->GetControl(i)->IsGreyed()) << i;
    EXPECT_EQ(p.graphics->GetControl(i)->Blend().weight, 0.25f);
  }
  EXPECT_FALSE(p.graphics->GetControl(16)->IsGreyed());
  EXPECT_EQ(p.graphics->FindControlAt(560, 140), 0);
  p.plug->log.clear();
  p.graphics->MouseDown(560, 140, Left());
  p.graphics->MouseDrag(560, 100, Left());
  p.graphics->MouseUp(560, 100, Left());
  p.graphics->MouseWheel(560, 140, Left(), 3);
  EXPECT_TRUE(p.plug->log.empty());
  EXPECT_EQ(p.plug->GetParam(kLfBoost)->Value(), 0.0);

  p.HostSets(kProfile, 2.0 / 3.0);
  EXPECT_FALSE(p.graphics->GetControl(kLfKnob)->IsGreyed());
  EXPECT_EQ(p.graphics->FindControlAt(560, 140), kLfKnob);
}

TEST(ProductControls, OneKnobGestureIsOneUndoStep) {
  Product p;
  const int undoBefore = p.History().UndoCount();
  p.graphics->MouseDown(60, 140, Left());
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kInputGain) << "the press records the touch";
  EXPECT_EQ(p.History().UndoCount(), undoBefore);
  for (int y = 130; y >= 100; y -= 10) p.graphics->MouseDrag(60, y, Left());
  p.graphics->MouseUp(60, 100, Left());
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1);
  EXPECT_DOUBLE_EQ(p.plug->Product().LiveSnapshot().inputGain, 0.5 + 40.0 / 64 / 4);
  ASSERT_GE(p.plug->log.size(), 6u);
  EXPECT_EQ(p.plug->log.front(), "begin 0");
  EXPECT_EQ(p.plug->log.back(), "end 0");

  p.Click(60, 140);
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1) << "a release without a move records nothing";

  p.Click(60, 140, Right());
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1);
  EXPECT_DOUBLE_EQ(p.plug->Product().LiveSnapshot().inputGain, 0.5 + 40.0 / 64 / 4)
      << "a right-click changes nothing";

  // The first press and release, then the double-click and its release.
  p.Click(60, 140);
  p.graphics->MouseDoubleClick(60, 140, Left());
  p.graphics->MouseUp(60, 140, Left());
  EXPECT_EQ(p.plug->Product().LiveSnapshot().inputGain, 0.5) << "back to the default";
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 2);
}

TEST(ProductControls, UndoButtonPushesOneThenZeroAndShowsTheRestoredSettings) {
  Product p;
  p.graphics->MouseDown(60, 140, Left());
  p.graphics->MouseDrag(60, 76, Left());
  p.graphics->MouseUp(60, 76, Left());
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.75);
  const int position = p.History().Position();

  p.plug->log.clear();
  p.Click(30, 20);
  // The restored input gain reaches the host as a gesture of its own.
  EXPECT_EQ(p.plug->log, (std::vector<std::string>{"begin 22", "set 22=1", "begin 0", "end 0",
                                                   "set 22=0", "end 22"}));
  EXPECT_TRUE(BaseHoldsTheLiveSettings(*p.plug));
  EXPECT_EQ(p.History().Position(), position - 1);
  EXPECT_EQ(p.plug->Product().LiveSnapshot().inputGain, 0.5);
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.5) << "the release drained the restored values";
  EXPECT_EQ(p.graphics->GetControl(1)->Value(), 0.0);

  p.Click(30, 20);
  EXPECT_EQ(p.History().Position(), position - 1) << "nothing left to undo";
  EXPECT_EQ(p.History().UndoCount(), 0);

  p.Click(80, 20);  // redo
  p.graphics->DrainHostHandOff();
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.75);
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kRedo);
}

TEST(ProductControls, ABSwitchTogglesAndSwapsTheSettings) {
  Product p;
  p.graphics->MouseDown(60, 140, Left());
  p.graphics->MouseDrag(60, 76, Left());
  p.graphics->MouseUp(60, 76, Left());
  const int undoBefore = p.History().UndoCount();

  p.plug->log.clear();
  p.Click(130, 20);
  ASSERT_GE(p.plug->log.size(), 5u);
  EXPECT_EQ(p.plug->log[0], "begin 24");
  EXPECT_EQ(p.plug->log[1], "set 24=1");
  EXPECT_EQ(p.plug->log[2], "begin 0") << "each parameter the swap changes, as a gesture";
  EXPECT_EQ(p.plug->log[3], "end 0");
  EXPECT_EQ(p.plug->log.back(), "end 24");
  EXPECT_TRUE(BaseHoldsTheLiveSettings(*p.plug));
  EXPECT_EQ(p.plug->Product().AbSelector(), 1);
  EXPECT_EQ(p.plug->Product().LiveSnapshot().inputGain, 0.5) << "slot B holds the initial settings";
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1) << "the swap records, the release does not";
  p.graphics->DrainHostHandOff();
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.5);
  EXPECT_EQ(p.graphics->GetControl(4)->Value(), 1.0);

  p.Click(130, 20);
  p.graphics->DrainHostHandOff();
  EXPECT_EQ(p.plug->Product().AbSelector(), 0);
  EXPECT_EQ(p.graphics->GetControl(8)->Value(), 0.75);
}

TEST(ProductControls, RadioGroupsRecordTheirChoiceAndRightClicksSelectNothing) {
  Product p;
  const int undoBefore = p.History().UndoCount();
  p.Click(470, 160);  // inside "Profile" buttons 2 and 3
  EXPECT_EQ(p.plug->Product().LiveSnapshot().profile, 2);
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kProfile);
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1);

  p.plug->log.clear();
  p.graphics->MouseDown(100, 340, Right());  // "Noise type" button 3
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kNoiseType) << "the engine still hears of it";
  p.graphics->MouseUp(100, 340, Right());
  EXPECT_EQ(p.plug->Product().LiveSnapshot().noiseType, 0);
  EXPECT_EQ(p.History().UndoCount(), undoBefore + 1);
  EXPECT_EQ(p.plug->log, (std::vector<std::string>{"begin 12", "end 12"}));
}

TEST(ProductControls, PowerAndCopyNeitherRecordNorUndo) {
  Product p;
  const int undoBefore = p.History().UndoCount();
  p.Click(960, 390);
  EXPECT_EQ(p.plug->Product().PowerOff(), 1);
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kPower) << "from the parameter change alone";
  p.Click(200, 20);  // copy
  EXPECT_EQ(p.plug->Product().LastTouchedParam(), kCopy);
  EXPECT_EQ(p.History().UndoCount(), undoBefore);
  EXPECT_EQ(p.graphics->GetControl(3)->Value(), 0.0);
}

}  // namespace
