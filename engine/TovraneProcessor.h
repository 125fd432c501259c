#pragma once
#include <cstdint>
#include <limits>

#include "dsp/BiquadSection.h"
#include "dsp/ModDelay.h"
#include "dsp/Maths.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/SweepModulation.h"
#include "dsp/TapeChannel.h"
#include "dsp/TapeChannelSettings.h"
#include "dsp/TapeShaping.h"
#include "dsp/TransportSines.h"
#include "engine/EngineSnapshot.h"

// The effect's whole processing chain, with no host and no editor: input
// gain, both tape channels, the output gain, the comb delays, the swept
// all-pass blend and the mid/side quad stage. A plug-in binding prepares it
// for a rate, hands it the settings at every block start and runs blocks
// of any length through it.
//
// Maths is the policy (dsp/Maths.h) the whole chain runs on: ProductMaths
// for the product, LiteralMaths for the yardstick it is measured against.
//
// Construction draws the brown noise's loops from the constructing thread's
// random generator, so it belongs on the thread the host creates plug-ins on.
template <class Maths>
class TovraneProcessor {
 public:
  TovraneProcessor();
  // A processor at rest with the same noise as one made when the thread's
  // random generator stood at `drawnFrom`: what a new instance would be,
  // without new draws.
  explicit TovraneProcessor(uint32_t drawnFrom);
  TovraneProcessor(const TovraneProcessor&) = delete;
  TovraneProcessor& operator=(const TovraneProcessor&) = delete;

  // Allocates what a new rate needs, so that the first block at it does not.
  void Prepare(double sampleRate);
  // The settings the next blocks are processed from.
  void Apply(const EngineSnapshot& settings, bool powerOff);
  // Processes `frames` frames of stereo audio at `sampleRate`. Non-finite
  // input is taken as silence; a block whose output or state turns
  // non-finite is output as silence and the signal state starts afresh.
  void Process(const double* const* inputs, double* const* outputs, int frames, double sampleRate);

  // The delay, in frames, between the input and the output: the tape's
  // nominal delay, 1378 frames at 44.1 kHz, and as long in time at any rate.
  static constexpr int kReferenceLatency = 1378;
  static int LatencyAt(double sampleRate) {
    return static_cast<int>(sampleRate / 44100.0 * kReferenceLatency);
  }

  // The four delay lines' glides and delay times, for inspection: mid,
  // side, comb left, comb right.
  const GlideRamp& DelayGlide(int which) const;
  double DelayTime(int which) const;
  // The random generator's state the noise was drawn from.
  uint32_t DrawnFrom() const { return drawnFrom; }

 private:
  // Frames are processed in runs of up to this many, stage by stage: long
  // enough for each stage's loop to keep its state in registers, short
  // enough for the rotated sines, anchored at each run's start, to stay
  // within a few ulps.
  static constexpr int kRun = 32;

  void StartBlock(double fs);
  void ProcessRun(const double* const* inputs, double* const* outputs, int start, int frames,
                  double inv);
  void MixRun(const DoublePair* shaped, double* const* outputs, int start, int frames,
              double inv);
  void BypassRun(const double (*dry)[kRun], double* const* outputs, int start, int frames);
  double NextInputGain();
  double NextOutputGain();
  double NextQuadMix();
  static double CombGain(double zq);
  const ModDelay<DoublePair>& DelayLines(int which) const;
  struct GainFactor;
  static double GainFor(GainFactor& gain, float z);
  static bool OutputIsSound(const double* const* outputs, int frames);
  static void SilenceOutput(double* const* outputs, int frames);
  bool SignalStateIsFinite() const;
  void ClearSignalState();
  // Draws the noise and sets both tapes at their starting points.
  void StartTapes();

  uint32_t drawnFrom = 0;
  // What each block works from, as the last Apply left it.
  TapeChannelSettings channelSettings;
  bool bypass = false;
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

  OnePoleSmoother<Maths> inputGainSmoother;
  OnePoleSmoother<Maths> outputGainSmoother;
  GainFactor inputGain;
  GainFactor outputGain;
  OnePoleSmoother<Maths> quadMixSmoother;
  TapeChannel<Maths> leftChannel;
  TapeChannel<Maths> rightChannel;
  typename Maths::template TransportSineSet<DoublePair> transportSines;  // left, right
  TapeShaping<DoublePair, Maths> shaping;
  ModDelay<DoublePair> quadDelays;  // mid, side
  ModDelay<DoublePair> combDelays;  // left, right
  BiquadSection<DoublePair> quadPeaks;       // mid, side
  BiquadSection<DoublePair> phaseAllpasses;  // left, right
  typename Maths::Sweep sweep;
};
