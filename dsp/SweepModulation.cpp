#include "dsp/SweepModulation.h"

#include <cmath>

#include "dsp/Biquad.h"
#include "dsp/Maths.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPhaseOffsets[SweepPhases::kSines] = {
    0.0,
    1.790707812546182,   // 0.57 pi
    0.9738937226128359,  // 0.31 pi
    2.3090706003884978,  // 0.735 pi
};
constexpr double kSweepQ = 2.0;

template <class Maths>
Biquad::Design FreshDesign(BiquadType type, double fc, double gainDb) {
  return Biquad::DesignFor<Maths>(type, fc, kSweepQ, gainDb);
}

ScaledCoefficients<DoublePair> SideBySide(const Biquad::Design& a, const Biquad::Design& b) {
  return {DoublePair{a.b0, b.b0}, DoublePair{a.b1, b.b1}, DoublePair{a.b2, b.b2},
          DoublePair{a.a1, b.a1}, DoublePair{a.a2, b.a2}};
}

}  // namespace

double SweepPhases::Offset(int k) { return kPhaseOffsets[k]; }

bool SweepPhases::IsFinite() const {
  return std::isfinite(phase[0] + phase[1] + phase[2] + phase[3]);
}

void SweepPhases::ClearNonFinite() {
  for (double& p : phase) {
    if (!std::isfinite(p)) p = 0.0;
  }
}

template <class Maths>
void SweepPhases::SetSteps(double inv) {
  const double rate = (Maths::Sin(phase[2]) * 0.75 + 1.25) * 2.0 * (kTwoPi * inv);
  phaseStep[0] = 0.1 * rate;
  phaseStep[1] = 0.1671 * rate;
  phaseStep[2] = 0.451 * rate;
  phaseStep[3] = 0.817 * rate;
}

void SweepPhases::StepPhases() {
  for (int k = 0; k < kSines; ++k) {
    phase[k] += phaseStep[k];
    if (phase[k] > kTwoPi) phase[k] -= kTwoPi;
  }
}

// Each peak's gain follows the all-pass sine of the other channel pair.
SweepPhases::Settings SweepPhases::SettingsFor(const double s[kSines], double inv) {
  return {{(s[0] * 800.0 + 1000.0) * inv, (s[1] * 800.0 + 1000.0) * inv,
           (s[2] * 800.0 + 1000.0) * inv, (s[3] * 800.0 + 1000.0) * inv},
          {s[2] * 3.0, s[3] * 3.0, 0.0, 0.0}};
}

void RotatedSweep::StartBlock(double inv) {
  SetSteps<ProductMaths>(inv);
  for (int k = 0; k < kSines; ++k) sine[k].SetStep(phaseStep[k]);
  Anchor();
}

// The rotation follows the phases, which keep being accumulated as they
// always were; each block, and every so many frames in long blocks, the
// sines start again from them.
void RotatedSweep::Anchor() {
  for (int k = 0; k < kSines; ++k) sine[k].Anchor(phase[k] + Offset(k));
}

void RotatedSweep::Skip() {
  StepPhases();
  if (sine[0].StepDueForAnchor()) {
    Anchor();
  } else {
    for (QuadratureOscillator<double>& s : sine) s.Rotate();
  }
}

// The designs follow the sweep alone, not the audio, so they are made for a
// run ahead of it; made back to back, one frame's divisions overlap the next
// one's.
void RotatedSweep::DesignRun(int frames, double inv, FrameDesigns* out) {
  for (int i = 0; i < frames; ++i) {
    const double s[kSines] = {sine[0].Sin(), sine[1].Sin(), sine[2].Sin(), sine[3].Sin()};
    const Settings f = SettingsFor(s, inv);
    Skip();
    if (i == 0) {
      peaks.Anchor(BiquadType::Peak, kSweepQ, f.fc[0], f.gainDb[0], f.fc[1], f.gainDb[1]);
      allpasses.Anchor(BiquadType::Allpass, kSweepQ, f.fc[2], f.gainDb[2], f.fc[3], f.gainDb[3]);
    } else {
      peaks.Step(f.fc[0], f.gainDb[0], f.fc[1], f.gainDb[1]);
      allpasses.Step(f.fc[2], f.gainDb[2], f.fc[3], f.gainDb[3]);
    }
    out[i] = {peaks.Designs(), allpasses.Designs()};
  }
}

template <class Maths>
void FreshSweep<Maths>::DesignRun(int frames, double inv, FrameDesigns* out) {
  for (int i = 0; i < frames; ++i) {
    double s[kSines];
    for (int k = 0; k < kSines; ++k) s[k] = Maths::Sin(phase[k] + Offset(k));
    const Settings f = SettingsFor(s, inv);
    StepPhases();
    out[i] = {SideBySide(FreshDesign<Maths>(BiquadType::Peak, f.fc[0], f.gainDb[0]),
                         FreshDesign<Maths>(BiquadType::Peak, f.fc[1], f.gainDb[1])),
              SideBySide(FreshDesign<Maths>(BiquadType::Allpass, f.fc[2], f.gainDb[2]),
                         FreshDesign<Maths>(BiquadType::Allpass, f.fc[3], f.gainDb[3]))};
  }
}

template void SweepPhases::SetSteps<ProductMaths>(double);
template void SweepPhases::SetSteps<LiteralMaths>(double);
template class FreshSweep<ProductMaths>;
template class FreshSweep<LiteralMaths>;
