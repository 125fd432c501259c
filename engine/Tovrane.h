#pragma once
#include "engine/EngineSnapshot.h"
#include "engine/SnapshotHistory.h"
#include "engine/TovraneParams.h"
#include "engine/TovraneProcessor.h"
#include "vst2/IPlugVST.h"

class IGraphics;

// The product's plug-in class: its identity, its 26 parameters and its 16
// programs, the settings every block is processed from, and the undo
// history with A/B comparison behind the editor's buttons. The processing
// itself is the processor's.
class Tovrane : public IPlugVST {
 public:
  explicit Tovrane(audioMasterCallback hostCallback = nullptr);

  static PlugIdentity Identity();

  void OnParamChanged(int index) override;
  void OnStateRestored() override;
  void OnReset() override;
  void SetActive(bool on) override;
  void ProcessBlock(double** inputs, double** outputs, int frames) override;

  // Called by the editor's controls: after a mouse-down with the control's
  // parameter index, and after the mouse-up of a knob, radio group or the
  // A/B switch.
  void EditorCommand(int index);
  void RecordSnapshotIfChanged();

  // Where the editor layout put the controls the engine talks to.
  void SetEditorControlIndexes(int readout, int lfBoost, int hfBoost, int age);
  // The editor built with the plug-in; null once another editor replaced it.
  IGraphics* Graphics() const;

  const EngineSnapshot& LiveSnapshot() const { return liveSnapshot; }
  const EngineSnapshot& SlotA() const { return slotA; }
  const EngineSnapshot& SlotB() const { return slotB; }
  const SnapshotHistory& History() const { return history; }
  int AbSelector() const { return abSelector; }
  int PowerOff() const { return powerOff; }
  int LastTouchedParam() const { return lastTouchedParam; }
  const TovraneProcessor& Processor() const { return processor; }

 private:
  void InitParameters();
  // Builds the editor layout, defining the parameters of its switches.
  void BuildEditor();
  void InitDouble(int index, const char* name, double defaultValue, double maxValue = 100.0);
  void InitInteger(int index, const char* name, double defaultValue, double maxValue);
  void MakePresets();
  void GreyToneKnobs(bool greyed);
  void SwapAB();
  void PushSnapshotToEditor();
  void SetCommandParam(int index, double value);
  void UpdateLatency(double fs);
  void UpdateReadout();

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
  TovraneProcessor processor;
};
