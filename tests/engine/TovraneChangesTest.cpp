#include <gtest/gtest.h>

#include <memory>

#include "FakeEditor.h"
#include "vst2/Tovrane.h"

namespace {

// Control-list positions a layout might give the engine.
constexpr int kReadoutControl = 30;
constexpr int kLfControl = 11;
constexpr int kHfControl = 12;
constexpr int kAgeControl = 13;

struct EngineWithEditor {
  EngineWithEditor() : plug(std::make_unique<Tovrane>()), editor(new FakeEditor) {
    plug->Product().SetEditorControlIndexes(kReadoutControl, kLfControl, kHfControl, kAgeControl);
    plug->AttachEditor(editor);
  }
  void Set(int index, double value) {
    plug->GetParam(index)->Set(value);
    plug->OnParamChanged(index);
  }
  std::unique_ptr<Tovrane> plug;
  FakeEditor* editor;  // owned by the plug-in
};

}  // namespace

TEST(TovraneChanges, ConstructionFillsLiveSettingsWithDefaults) {
  auto plug = std::make_unique<Tovrane>();
  const EngineSnapshot& live = plug->Product().LiveSnapshot();
  EXPECT_EQ(live.profile, 0);
  EXPECT_EQ(live.noiseType, 0);
  EXPECT_EQ(live.inputGain, 0.5);
  EXPECT_EQ(live.outputGain, 0.5);
  EXPECT_EQ(live.wide, 0.2);
  EXPECT_EQ(live.quadDelay, 0.5);
  EXPECT_EQ(live.speed, 1.0);
  for (double v : {live.noiseAmp, live.noiseDynamic, live.harmonics, live.tubeDrive, live.wow,
                   live.scratch, live.lfBoost, live.hfBoost, live.age, live.quadMix}) {
    EXPECT_EQ(v, 0.0);
  }
  EXPECT_TRUE(SnapshotsEqual(plug->Product().SlotA(), kInitialSnapshot));
  EXPECT_TRUE(SnapshotsEqual(plug->Product().SlotB(), kInitialSnapshot));
  EXPECT_EQ(plug->Product().LastTouchedParam(), 25);
  EXPECT_EQ(plug->Product().PowerOff(), 0);
  EXPECT_EQ(plug->Product().History().Position(), 0);
  EXPECT_EQ(plug->Product().History().UndoCount(), 0);
  EXPECT_TRUE(SnapshotsEqual(plug->Product().History().Entry(0), live));
}

TEST(TovraneChanges, PercentagesAndIntegersReachTheSnapshot) {
  EngineWithEditor e;
  e.Set(kWow, 37.5);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().wow, 0.375);
  EXPECT_EQ(e.plug->Product().LastTouchedParam(), kWow);
  e.Set(kSpeed, 33.0);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().speed, 33.0 / 100.0);
  e.Set(kNoiseType, 4.9);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().noiseType, 4);
  e.Set(kPower, 1.0);
  EXPECT_EQ(e.plug->Product().PowerOff(), 1);

  const EngineSnapshot before = e.plug->Product().LiveSnapshot();
  e.Set(kSpare16, 0.7);
  EXPECT_TRUE(SnapshotsEqual(before, e.plug->Product().LiveSnapshot()));
  EXPECT_EQ(e.plug->Product().LastTouchedParam(), kSpare16);
}

TEST(TovraneChanges, ProfileOffGreysExactlyTheToneKnobs) {
  EngineWithEditor e;
  e.editor->greyCalls.clear();
  e.Set(kAge, 40.0);
  e.Set(kProfile, 3.0);
  ASSERT_EQ(e.editor->greyCalls.size(), 3u);
  EXPECT_EQ(e.editor->greyCalls[0], std::make_pair(kAgeControl, true));
  EXPECT_EQ(e.editor->greyCalls[1], std::make_pair(kLfControl, true));
  EXPECT_EQ(e.editor->greyCalls[2], std::make_pair(kHfControl, true));
  e.Set(kProfile, 1.0);
  EXPECT_FALSE(e.editor->greyed[kAgeControl]);
  EXPECT_FALSE(e.editor->greyed[kLfControl]);
  EXPECT_FALSE(e.editor->greyed[kHfControl]);
  EXPECT_EQ(e.plug->GetParam(kAge)->Value(), 40.0);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().age, 0.4);

  // Selecting "Synth widener" (profile 3) greys them through a preset load.
  e.plug->LoadPreset(10);
  EXPECT_TRUE(e.editor->greyed[kAgeControl]);
  EXPECT_TRUE(e.editor->greyed[kHfControl]);
}

TEST(TovraneChanges, PresetLoadRecordsOneUndoStepAndResetsAB) {
  EngineWithEditor e;
  ASSERT_TRUE(e.plug->LoadPreset(0));  // the defaults: nothing new
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 0);
  EXPECT_GE(e.editor->markedChanged, 1);

  // A stored "AB" of 1 never survives: it follows the engine's selector.
  e.plug->GetParam(kAB)->Set(1.0);
  e.plug->ModifyCurrentPreset();
  ASSERT_TRUE(e.plug->LoadPreset(4));
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 1);
  EXPECT_EQ(e.plug->GetParam(kAB)->Value(), 0.0);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().profile, 1);
  ASSERT_TRUE(e.plug->LoadPreset(0));
  EXPECT_EQ(e.plug->GetParam(kAB)->Value(), 0.0);
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 2);
}

TEST(TovraneHistory, UndoRedoAndANewGesture) {
  EngineWithEditor e;
  for (double wow : {10.0, 20.0, 30.0}) {
    e.Set(kWow, wow);
    e.plug->Product().RecordSnapshotIfChanged();
  }
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 3);
  e.plug->Product().EditorCommand(kUndo);
  e.plug->Product().EditorCommand(kUndo);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().wow, 0.1);
  EXPECT_EQ(e.plug->Product().History().RedoCount(), 2);
  EXPECT_EQ(e.plug->Product().LastTouchedParam(), kUndo);
  // The editor shows the restored settings, and the base's values follow
  // them, so that the host shows and a saved session keeps what plays.
  EXPECT_EQ(e.editor->fromHost.back().first, kAB);
  EXPECT_EQ(e.plug->GetParam(kWow)->Value(), 10.0);

  e.plug->Product().EditorCommand(kRedo);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().wow, 0.2);
  e.plug->Product().EditorCommand(kUndo);
  e.Set(kScratch, 50.0);
  e.plug->Product().RecordSnapshotIfChanged();
  EXPECT_EQ(e.plug->Product().History().RedoCount(), 0);
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 2);
  e.plug->Product().EditorCommand(kRedo);  // nothing to redo: stays
  EXPECT_EQ(e.plug->Product().LiveSnapshot().scratch, 0.5);
}

TEST(TovraneHistory, UndoWithNothingRecordedDiscardsUnrecordedChanges) {
  EngineWithEditor e;
  e.Set(kHarmonics, 80.0);  // host automation: not recorded
  e.plug->Product().EditorCommand(kUndo);
  EXPECT_EQ(e.plug->Product().History().Position(), 0);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().harmonics, 0.0);
}

TEST(TovraneHistory, UndoNeverChangesPower) {
  EngineWithEditor e;
  e.Set(kWow, 10.0);
  e.plug->Product().RecordSnapshotIfChanged();
  e.Set(kPower, 1.0);
  e.plug->Product().EditorCommand(kUndo);
  EXPECT_EQ(e.plug->Product().PowerOff(), 1);
}

TEST(TovraneHistory, ThousandthStepWrapsToEntryZeroAndUndoStaysInTheRing) {
  auto plug = std::make_unique<Tovrane>();
  for (int step = 1; step <= 1000; ++step) {
    plug->GetParam(kWow)->Set(step * 0.05);
    plug->OnParamChanged(kWow);
    plug->Product().RecordSnapshotIfChanged();
    ASSERT_EQ(plug->Product().History().Position(), step % 1000);
  }
  EXPECT_EQ(plug->Product().History().Position(), 0);
  EXPECT_EQ(plug->Product().History().Entry(0).wow, 1000 * 0.05 / 100.0);
  EXPECT_EQ(plug->Product().History().UndoCount(), 999);
  for (int i = 0; i < 1200; ++i) plug->Product().EditorCommand(kUndo);
  // 999 steps back is the oldest entry the ring still holds: step 1.
  EXPECT_EQ(plug->Product().History().Position(), 1);
  EXPECT_EQ(plug->Product().LiveSnapshot().wow, 1 * 0.05 / 100.0);
  EXPECT_EQ(plug->Product().History().RedoCount(), 999);
}

TEST(TovraneAB, FirstSwitchBringsTheInitialFill) {
  EngineWithEditor e;
  e.Set(kWow, 60.0);
  const EngineSnapshot before = e.plug->Product().LiveSnapshot();
  e.plug->Product().EditorCommand(kAB);
  EXPECT_EQ(e.plug->Product().AbSelector(), 1);
  EXPECT_TRUE(SnapshotsEqual(e.plug->Product().LiveSnapshot(), kInitialSnapshot));
  EXPECT_TRUE(SnapshotsEqual(e.plug->Product().SlotA(), before));
  EXPECT_EQ(e.plug->Product().History().UndoCount(), 1) << "the switch is an undo step";
  e.plug->Product().EditorCommand(kAB);
  EXPECT_EQ(e.plug->Product().AbSelector(), 0);
  EXPECT_TRUE(SnapshotsEqual(e.plug->Product().LiveSnapshot(), before));
  // The switch shows which slot is live.
  EXPECT_EQ(e.editor->fromHost.back(), std::make_pair(static_cast<int>(kAB), 0.0));
}

TEST(TovraneAB, CopyTakesTheNewestRecordedEntry) {
  EngineWithEditor e;
  e.Set(kWow, 20.0);
  e.plug->Product().RecordSnapshotIfChanged();
  e.Set(kWow, 90.0);  // live but not recorded
  const size_t pushes = e.editor->fromHost.size();
  e.plug->Product().EditorCommand(kCopy);
  EXPECT_EQ(e.editor->fromHost.size(), pushes) << "copy pushes nothing";
  EXPECT_EQ(e.plug->Product().SlotB().wow, 0.2);
  e.plug->Product().EditorCommand(kAB);
  EXPECT_EQ(e.plug->Product().LiveSnapshot().wow, 0.2);
  // With B live, copy goes into A.
  e.plug->Product().EditorCommand(kCopy);
  EXPECT_EQ(e.plug->Product().SlotA().wow, 0.2);
}

TEST(TovraneAB, SlotsSurvivePresetLoads) {
  EngineWithEditor e;
  e.plug->Product().EditorCommand(kAB);
  const EngineSnapshot slotA = e.plug->Product().SlotA();
  e.plug->LoadPreset(6);
  EXPECT_TRUE(SnapshotsEqual(e.plug->Product().SlotA(), slotA));
  EXPECT_EQ(e.plug->Product().AbSelector(), 1);
  EXPECT_EQ(e.plug->GetParam(kAB)->Value(), 1.0);
}
