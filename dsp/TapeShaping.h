#pragma once
#include <cstdint>

#include "dsp/BandSaturator.h"
#include "dsp/Biquad.h"
#include "dsp/BiquadSection.h"
#include "dsp/DoublePair.h"
#include "dsp/TapeChannelSettings.h"
#include "dsp/TubeStage.h"

// What the tape channels make of the sample their transport reads: added
// harmonics, the tube stage with the noise on top, the profile's band
// saturator and tone filters, and a DC blocker. For one channel (double) or
// both side by side (DoublePair), which the settings configure alike; each
// lane's arithmetic is its channel's own, operation for operation, with the
// maths policy's functions and designs.
template <class Sample, class Maths>
class TapeShaping {
 public:
  TapeShaping();

  void Configure(const TapeChannelSettings& settings, double sampleRate);
  // With the power off the channels output their dry line, the DC blocker
  // rests and the other stages run on, so that they come back without a jump.
  void SetBypass(bool on) { bypass = on; }
  // The DC blocker carries on from the filter that shaped each channel's
  // brown noise (TapeChannel::BrownNoiseShaper), lane by lane.
  void ContinueDcBlocker(const Biquad* const* shapers);

  // A run of frames: each frame's delayed sample, noise and tube drive in,
  // the shaped sample out. The state is held in locals for the run.
  void Run(const Sample* delayed, const Sample* noise, const Sample* tubeLevel, Sample* out,
           int frames);
  Sample Process(Sample delayed, Sample noise, Sample tubeLevel);

  bool StateIsFinite() const;
  // Empties the filters' memories and forgets the tube's peaks; the designs stay.
  void ClearState();

 private:
  Sample Step(Sample delayed, Sample noise, Sample tubeLevel);
  void DesignToneFilters(const TapeChannelSettings& s, double sampleRate);

  TubeStage<Sample> tube;
  BandSaturator<Sample, Maths> saturator;
  BiquadSection<Sample> lowCut;
  BiquadSection<Sample> highCut;
  BiquadSection<Sample> dcBlocker;
  int32_t profile = 0;
  double harmonics = 0.0;
  double harmonicDrive = 1.0;  // 4 harmonics + 1
  double noiseGain = 0.0;
  bool bypass = false;
};
