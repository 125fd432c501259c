#include "dsp/TapeShaping.h"

#include "dsp/Harmonics.h"
#include "dsp/Maths.h"

namespace {

template <class Maths>
Biquad::Design Design(BiquadType type, double fc, double q) {
  return Biquad::DesignFor<Maths>(type, fc, q, 0.0);
}

// Profiles A, B and C: where the tone filters cut and how "Age" moves them,
// how much "HF boost" raises the high cut's resonance, and the saturator's
// bands.
struct ToneProfile {
  double lowCutHz, lowCutAgeHz, highCutHz, highCutAgeHz, hfBoostScale;
  bool arctangentBands;
  float lowSplitHz, highSplitHz;
};
constexpr int kToneProfiles = 3;
constexpr ToneProfile kToneProfile[kToneProfiles] = {
    {45.0, 60.0, 16000.0, 3000.0, 1.25, false, 100.0f, 10000.0f},
    {85.0, 60.0, 12000.0, 3000.0, 1.0, true, 120.0f, 6000.0f},
    {130.0, 340.0, 9500.0, 6000.0, 1.0, true, 120.0f, 6000.0f},
};

}  // namespace

template <class Sample, class Maths>
TapeShaping<Sample, Maths>::TapeShaping() {
  saturator.lowCrossover.template SetCrossover<Maths>(120.0f, 44100.0f);
  saturator.highCrossover.template SetCrossover<Maths>(6000.0f, 44100.0f);
}

template <class Sample, class Maths>
void TapeShaping<Sample, Maths>::Configure(const TapeChannelSettings& s, double sampleRate) {
  harmonics = s.harmonics;
  harmonicDrive = 4.0 * harmonics + 1.0;
  noiseGain = 2.0 * (s.noiseAmp * s.noiseAmp);
  profile = s.profile;
  DesignToneFilters(s, sampleRate);
  saturator.drive = 1.75;
  dcBlocker.SetDesign(Design<Maths>(BiquadType::Highpass, 10.0 / sampleRate, 0.707));
}

template <class Sample, class Maths>
void TapeShaping<Sample, Maths>::DesignToneFilters(const TapeChannelSettings& s, double sampleRate) {
  if (s.profile < 0 || s.profile >= kToneProfiles) return;  // other profiles keep the last tone set
  const ToneProfile& p = kToneProfile[s.profile];
  const double lowHz = p.lowCutHz + p.lowCutAgeHz * s.age;
  const double highHz = p.highCutHz - p.highCutAgeHz * s.age;
  highCut.SetDesign(
      Design<Maths>(BiquadType::Lowpass, highHz / sampleRate, p.hfBoostScale * s.hfBoost + 0.5));
  lowCut.SetDesign(Design<Maths>(BiquadType::Highpass, lowHz / sampleRate, s.lfBoost + 0.5));
  saturator.mode = p.arctangentBands ? BandSaturator<Sample, Maths>::kModeArctangent
                                     : BandSaturator<Sample, Maths>::kModeClean;
  const float rate = static_cast<float>(sampleRate);
  saturator.lowCrossover.template SetCrossover<Maths>(p.lowSplitHz, rate);
  saturator.highCrossover.template SetCrossover<Maths>(p.highSplitHz, rate);
}

template <class Sample, class Maths>
void TapeShaping<Sample, Maths>::ContinueDcBlocker(const Biquad* const* shapers) {
  double z1[kMostLanes], z2[kMostLanes];
  for (int lane = 0; lane < Lanes<Sample>::kCount; ++lane) {
    z1[lane] = shapers[lane]->z1;
    z2[lane] = shapers[lane]->z2;
  }
  dcBlocker.z1 = FromLanes<Sample>(z1);
  dcBlocker.z2 = FromLanes<Sample>(z2);
}

template <class Sample, class Maths>
Sample TapeShaping<Sample, Maths>::Process(Sample delayed, Sample noise, Sample tubeLevel) {
  return Step(delayed, noise, tubeLevel);
}

template <class Sample, class Maths>
[[gnu::always_inline]] inline Sample TapeShaping<Sample, Maths>::Step(Sample delayed, Sample noise,
                                                               Sample tubeLevel) {
  const Sample harmonic = AddHarmonicTerms<Maths>(delayed, harmonicDrive, harmonics);
  Sample out = tube.Process(harmonic, tubeLevel) + noise * noiseGain;
  if (profile < 3) {
    out = saturator.Process(out);
    out = lowCut.ProcessRounded(out);
    out = highCut.ProcessRounded(out);
  }
  return bypass ? out : dcBlocker.ProcessRounded(out);
}

template <class Sample, class Maths>
void TapeShaping<Sample, Maths>::Run(const Sample* delayed, const Sample* noise, const Sample* tubeLevel,
                              Sample* out, int frames) {
  TapeShaping local = *this;
  for (int i = 0; i < frames; ++i) out[i] = local.Step(delayed[i], noise[i], tubeLevel[i]);
  *this = local;
}

template <class Sample, class Maths>
bool TapeShaping<Sample, Maths>::StateIsFinite() const {
  return tube.StateIsFinite() && saturator.StateIsFinite() && lowCut.StateIsFinite() &&
         highCut.StateIsFinite() && dcBlocker.StateIsFinite();
}

template <class Sample, class Maths>
void TapeShaping<Sample, Maths>::ClearState() {
  tube.ClearState();
  saturator.ClearState();
  lowCut.ClearState();
  highCut.ClearState();
  dcBlocker.ClearState();
}

template class TapeShaping<double, ProductMaths>;
template class TapeShaping<DoublePair, ProductMaths>;
template class TapeShaping<double, LiteralMaths>;
template class TapeShaping<DoublePair, LiteralMaths>;
