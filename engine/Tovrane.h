#pragma once
#include <limits>

#include "dsp/Biquad.h"
#include "dsp/ModDelay.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/QuadratureOscillator.h"
#include "dsp/SweptBiquadPair.h"
#include "dsp/TapeChannel.h"
#include "dsp/TapeChannelSettings.h"
#include "engine/EngineSnapshot.h"
#include "engine/SnapshotHistory.h"
#include "engine/TovraneParams.h"
#include "vst2/IPlugVST.h"

class IGraphics;

// The product's plug-in class: its identity, its 26 parameters and its 16
// programs, the settings every block is processed from, and the undo
// history with A/B comparison behind the editor's buttons.
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
  // The four delay lines, for inspection: mid, side, comb left, comb right.
  const ModDelay& DelayLine(int which) const;

 protected:
  void ApplySnapshotToEngine();

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
  void StartBlock(double fs);
  void UpdateLatency(double fs);
  void ProcessFrame(double inL, double inR, double* outL, double* outR, double inv, int runFrame);
  void ProcessRun(double** inputs, double** outputs, int start, int frames);
  void MixRun(const double* shapedLeft, const double* shapedRight, double** outputs, int start,
              int frames);
  double NextInputGain();
  double NextQuadMix();
  void MixFrame(double left, double right, double* outL, double* outR, double inv, int runFrame);
  void DesignSweepRun(int frames, double inv);
  struct SweepSettings {
    struct {
      double fc;
      double gainDb;
    } filter[4];
  };
  SweepSettings NextSweepSettings(double inv);
  void SweepFilters(double inv);
  void AdvancePhases();
  void AnchorSweepSines();
  static void GlideTo(ModDelay& line, double target);
  static void SetDelayLfo(ModDelay& line, double inv);
  struct GainFactor;
  static double GainFor(GainFactor& gain, float z);
  void UpdateReadout();
  static bool OutputIsSound(double* const* outputs, int frames);
  static void SilenceOutput(double* const* outputs, int frames);
  bool SignalStateIsFinite() const;
  void ClearSignalState();

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

  // What each block works from: copies of the live snapshot taken at its start.
  bool firstBlockDone = false;
  TapeChannelSettings channelSettings;
  double engineQuadMix = 0.0;
  double engineQuadDelay = 0.5;
  double inputGainTarget = 1.0;
  double outputGainTarget = 0.5;

  // A gain factor and the smoother state it was computed from: a settled
  // smoother holds its state, so the exponential is needed only while it moves.
  struct GainFactor {
    float state = std::numeric_limits<float>::quiet_NaN();
    double factor = 1.0;
  };

  OnePoleSmoother inputGainSmoother;
  OnePoleSmoother outputGainSmoother;
  GainFactor inputGain;
  GainFactor outputGain;
  OnePoleSmoother quadMixSmoother;
  TapeChannel leftChannel;
  TapeChannel rightChannel;
  ModDelay quadDelayLineMid;
  ModDelay quadDelayLineSide;
  ModDelay combDelayLeft;
  ModDelay combDelayRight;
  Biquad quadPeakMid;
  Biquad quadPeakSide;
  Biquad phaseAllpassLeft;
  Biquad phaseAllpassRight;
  double phase[4] = {};
  double phaseStep[4] = {};
  // The four sweep sines, sin(phase[k] + offset k), carried by rotation in
  // the product build.
  QuadratureOscillator sweepSine[4];
  // The product build designs the swept filters for a run of frames before
  // it processes them. The designs follow the sweep alone, not the audio, so
  // nothing changes but the order; designed back to back, one frame's
  // tangents and powers overlap the next one's.
  static constexpr int kSweepRun = 32;
  static_assert(kSweepRun <= TapeChannel::kTransportRun);
  // Per frame: the mid and side peaks, the left and right all-passes, each
  // two designs side by side.
  ScaledCoefficients<DoublePair> sweepDesigns[kSweepRun][2];
  SweptBiquadPair sweptPeaks;      // mid, side
  SweptBiquadPair sweptAllpasses;  // left, right
};

// The tape channels take the snapshot's first part as it stands.
static_assert(offsetof(EngineSnapshot, speed) == offsetof(TapeChannelSettings, speed));
static_assert(offsetof(EngineSnapshot, noiseAmp) == offsetof(TapeChannelSettings, noiseAmp));
