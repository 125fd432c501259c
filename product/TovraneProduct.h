#pragma once
#include "core/IPlugBase.h"
#include "engine/EngineSnapshot.h"
#include "product/SnapshotHistory.h"
#include "product/TovraneParams.h"

class IGraphics;

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

  // Defines the parameters, builds the editor and makes the programs, then
  // takes the parameters' defaults as the live settings.
  void Build();

  // The binding's hooks.
  void OnParamChanged(int index);
  void OnStateRestored();
  // Around every block: the first one starts the undo history afresh; after
  // each, the readout shows the last touched parameter.
  void BlockStarting();
  void BlockDone();

  // Called by the editor's controls: after a mouse-down with the control's
  // parameter index, and after the mouse-up of a knob, radio group or the
  // A/B switch.
  void EditorCommand(int index);
  void RecordSnapshotIfChanged();

  // Where the editor layout put the controls the product talks to.
  void SetEditorControlIndexes(int readout, int lfBoost, int hfBoost, int age);
  // The editor built with the plug-in; null once another editor replaced it.
  IGraphics* Graphics() const;

  IPlugBase& Plug() const { return plug; }
  const EngineSnapshot& LiveSnapshot() const { return liveSnapshot; }
  const EngineSnapshot& SlotA() const { return slotA; }
  const EngineSnapshot& SlotB() const { return slotB; }
  const SnapshotHistory& History() const { return history; }
  int AbSelector() const { return abSelector; }
  int PowerOff() const { return powerOff; }
  int LastTouchedParam() const { return lastTouchedParam; }

 private:
  void InitParameters();
  void BuildEditor();
  void MakePresets();
  void GreyToneKnobs(bool greyed);
  void SwapAB();
  void PushSnapshotToEditor();
  void SetCommandParam(int index, double value);
  void UpdateReadout();

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
  bool firstBlockDone = false;
};
