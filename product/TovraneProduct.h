#pragma once
#include <array>
#include <atomic>

#include "core/IPlugBase.h"
#include "core/LatestValue.h"
#include "engine/EngineSnapshot.h"
#include "product/SnapshotHistory.h"
#include "product/TovraneParams.h"

class IGraphics;

// Where the editor's history commands go when the settings they act on live
// with processing elsewhere: an editor in another process than the
// processing sends them there and shows what comes back.
class EditorCommandTarget {
 public:
  virtual ~EditorCommandTarget() = default;
  virtual void EditorCommand(int index) = 0;
  virtual void RecordSnapshotIfChanged() = 0;
};

// The product, whatever plug-in format carries it: its identity, its 26
// parameters and its 16 programs, the live settings they make up, the undo
// history with A/B comparison behind the editor's buttons, the editor's
// layout and its readout. It keeps its parameters and programs on the
// plug-in base of the format's binding, which hands the live settings to
// the processor at every block.
class TovraneProduct {
 public:
  explicit TovraneProduct(IPlugBase& plug);
  TovraneProduct(const TovraneProduct&) = delete;
  TovraneProduct& operator=(const TovraneProduct&) = delete;

  static PlugIdentity Identity();
  // The maker's page for this product, which the editor's logo opens.
  static constexpr const char* kWebPage = "https://ostrelle.com/kestravon";
  // The version as hosts show it, "major.minor.patch".
  static const char* VersionText();
  // The factory programs in program order, as hosts list them before any
  // plug-in is made; null past the last.
  static int FactoryProgramCount();
  static const char* FactoryProgramName(int index);

  // Defines the parameters, builds the editor and makes the programs, then
  // takes the parameters' defaults as the live settings.
  void Build();

  // The binding's hooks, on host and editor threads, under the plug-in's lock.
  void OnParamChanged(int index);
  void OnStateRestored();

  // What a block is processed from: the live settings as last published,
  // with the power switch and the parameter the readout shows.
  struct BlockSettings {
    EngineSnapshot snapshot;
    int powerOff;
    int lastTouchedParam;
  };
  // The audio thread's side, which never waits: the newest settings at the
  // start of a block (the first block's also start the undo history afresh),
  // and after it the readout of the last touched parameter.
  const BlockSettings& TakeBlockSettings();
  void BlockDone(const BlockSettings& settings);

  // Called by the editor's controls: after a mouse-down with the control's
  // parameter index, and after the mouse-up of a knob, radio group or the
  // A/B switch.
  void EditorCommand(int index);
  void RecordSnapshotIfChanged();
  // From now on the editor's commands go to target (null: run here again).
  void ForwardEditorCommands(EditorCommandTarget* target) { forwardTo = target; }
  // Shows settings that were made elsewhere: the editor's controls, the A/B
  // switch and the readout follow them; the parameters keep their values,
  // as they do after an undo here.
  void ShowSettings(const EngineSnapshot& settings, int abSelection);
  // Whether the plug-in makes sound of its own with silence in: the hiss and
  // the crackle go on while the power is on and their levels are up, so its
  // tail never ends. Under the lock.
  bool SoundsWithoutInput() const;
  // Whether an editor command changes the settings played (undo, redo, A/B).
  static bool CommandChangesSettings(int index);

  // Where the editor layout put the controls the product talks to.
  void SetEditorControlIndexes(int readout, int lfBoost, int hfBoost, int age);
  // The editor built with the plug-in; null once another editor replaced it.
  IGraphics* Graphics() const;

  IPlugBase& Plug() const { return plug; }
  const EngineSnapshot& LiveSnapshot() const { return liveSnapshot; }
  const EngineSnapshot& SlotA() const { return slotA; }
  const EngineSnapshot& SlotB() const { return slotB; }
  // The undo history as it stands: started afresh from the first block's
  // settings once a block has run.
  const SnapshotHistory& History();
  int AbSelector() const { return abSelector; }
  int PowerOff() const { return powerOff; }
  int LastTouchedParam() const { return lastTouchedParam; }

 private:
  void InitParameters();
  void BuildEditor();
  void MakePresets();
  void GreyToneKnobs(bool greyed);
  void SwapAB();
  // Shows the live settings in the editor; given the settings it showed,
  // only the controls whose values differ, and not the A/B switch.
  void PushSnapshotToEditor(const EngineSnapshot* shown = nullptr);
  void SetCommandParam(int index, double value);
  // The parameters the live settings changed, with their new values.
  struct ParameterReport {
    std::array<bool, kNumTovraneParams> changed{};
    std::array<double, kNumTovraneParams> normalized{};
  };
  // Under the lock: sets every parameter whose value differs from the live
  // settings to them. Outside it: tells the host of them.
  void SetParametersFromLiveSettings(ParameterReport* report);
  void TellHost(const ParameterReport& report);
  void UpdateReadout(const BlockSettings& settings);
  // Hands the live settings to the audio thread; called under the lock
  // after every change.
  void Publish();
  // Starts the undo history from the first block's settings once a block
  // has run; called under the lock before the history is used.
  void CatchUpHistory();

  IPlugBase& plug;
  EngineSnapshot liveSnapshot = kInitialSnapshot;
  EngineSnapshot slotA = kInitialSnapshot;
  EngineSnapshot slotB = kInitialSnapshot;
  SnapshotHistory history;
  int abSelector = 0;
  int powerOff = 0;
  int lastTouchedParam = -1;
  int readoutControlIndex = -1;
  int lfBoostControlIndex = -1;
  int hfBoostControlIndex = -1;
  int ageControlIndex = -1;
  LatestValue<BlockSettings> published{{kInitialSnapshot, 0, -1}};
  // Written once, by the first block, before the flag is set.
  EngineSnapshot firstBlockSettings = kInitialSnapshot;
  std::atomic<bool> firstBlockTaken{false};
  bool historyStarted = false;
  EditorCommandTarget* forwardTo = nullptr;
};
