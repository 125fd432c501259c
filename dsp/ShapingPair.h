#pragma once
#include "dsp/BiquadPair.h"
#include "dsp/Crossover.h"
#include "dsp/DoublePair.h"
#include "dsp/TapeChannel.h"
#include "dsp/TubeStagePair.h"

// The two tape channels' shaping (harmonics, tube stage and noise, band
// saturator, tone filters, DC blocker) side by side in the halves of vector
// registers, over a run of frames, in about three quarters of the
// instructions of shaping them one after the other. Each half's arithmetic is its channel's own, operation for
// operation, so the output equals TapeChannel::Shape bit for bit.
class ShapingPair {
 public:
  // Whether the channels differ only in their filter designs and states,
  // which is what the pair can carry: the engine configures both alike.
  static bool Applies(const TapeChannel& left, const TapeChannel& right);

  // One channel's run: each frame's tap and tube level (TapeChannel::TubeLevel
  // after its Transport), and where its shaped output goes.
  struct Run {
    const TapeChannel::Tap* taps;
    const float* tubeLevels;
    double* out;
  };
  // Shapes `frames` frames of both channels. The channels' states are taken
  // at the start and handed back at the end.
  static void ShapeRun(TapeChannel& left, const Run& l, TapeChannel& right, const Run& r,
                       int frames);

 private:
  struct Section {
    FloatPair b0, b1, b2, x1, x2, y1, y2;
  };
  struct CrossoverPair {
    void Load(const Crossover& l, const Crossover& r);
    void Store(Crossover& l, Crossover& r) const;
    FloatPair Run(Section& s, FloatPair x) {
      return Crossover::Section(x, s.b0, s.b1, s.b2, a1, a2, s.x1, s.x2, s.y1, s.y2);
    }
    FloatPair a1, a2;
    Section low, high, all;
  };

  ShapingPair(TapeChannel& left, TapeChannel& right);
  void Store();
  DoublePair Shape(DoublePair delayed, DoublePair noise, DoublePair tubeLevel);
  DoublePair Saturate(DoublePair x);

  TapeChannel& left;
  TapeChannel& right;
  bool tone;
  bool bypass;
  TubeStagePair tube;
  CrossoverPair lowCrossover;
  CrossoverPair highCrossover;
  BiquadPair lowCut;
  BiquadPair highCut;
  BiquadPair dcBlocker;
};
