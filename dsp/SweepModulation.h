#pragma once
#include "dsp/DoublePair.h"
#include "dsp/QuadratureOscillator.h"
#include "dsp/ScaledDesign.h"
#include "dsp/SweptBiquadPair.h"

// The four sine modulators that sweep the quad stage's mid and side peaks
// and the left and right all-passes of its blend, and the filters' designs
// they give, frame by frame. The phases are accumulated alike in every
// build; how the sines and designs follow them is the maths policy's choice
// (dsp/Maths.h): carried from frame to frame, or worked out afresh.
class SweepPhases {
 public:
  static constexpr int kSines = 4;
  // A frame's designs: the peaks (mid, side) and the all-passes (left,
  // right), each two side by side.
  struct FrameDesigns {
    ScaledCoefficients<DoublePair> peaks;
    ScaledCoefficients<DoublePair> allpasses;
  };

  bool IsFinite() const;
  // Phases that are no longer finite start again from zero.
  void ClearNonFinite();

 protected:
  // The sweep's speed for the coming block, which itself follows the third phase.
  template <class Maths>
  void SetSteps(double inv);
  void StepPhases();
  // The filters' corners (as fractions of the rate) and gains for the sines
  // of one frame: mid peak, side peak, left all-pass, right all-pass.
  struct Settings {
    double fc[kSines];
    double gainDb[kSines];
  };
  static Settings SettingsFor(const double sines[kSines], double inv);
  static double Offset(int k);

  double phase[kSines] = {};
  double phaseStep[kSines] = {};
};

// The product's sweep: the sines carried by rotation, each run's first
// designs worked out in full and the others carried on from them.
class RotatedSweep : public SweepPhases {
 public:
  void StartBlock(double inv);
  void DesignRun(int frames, double inv, FrameDesigns* out);
  // A frame in which the filters do not run: the phases move on all the same.
  void Skip();

 private:
  void Anchor();
  QuadratureOscillator<double> sine[kSines];
  SweptBiquadPair peaks;
  SweptBiquadPair allpasses;
};

// The sweep as written: every frame's sines and designs worked out afresh
// with the policy's maths.
template <class Maths>
class FreshSweep : public SweepPhases {
 public:
  void StartBlock(double inv) { SetSteps<Maths>(inv); }
  void DesignRun(int frames, double inv, FrameDesigns* out);
  void Skip() { StepPhases(); }
};
