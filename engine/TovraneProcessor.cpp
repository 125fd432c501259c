// The per-block processing chain: gains, both tape channels, the comb
// delays, the swept all-pass blend and the mid/side quad stage.
#include "engine/TovraneProcessor.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/DenormalGuard.h"
#include "dsp/RandomGenerator.h"

namespace {

constexpr double kLnTenOverTwenty = 0.1151292546497;
// Where each channel's tape starts: its transport's time and its noise.
constexpr int32_t kLeftStart = 0;
constexpr int32_t kRightStart = 376;

// A host may hand over NaN or infinite samples; they must not lodge in the
// filters and delay lines for the rest of the session.
double FiniteOrSilence(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

// The per-frame steps are forced inline into the run loops.
template <class Maths>
[[gnu::always_inline]] inline double TovraneProcessor<Maths>::NextInputGain() {
  return GainFor(inputGain, inputGainSmoother.Step(inputGainTarget));
}

template <class Maths>
[[gnu::always_inline]] inline double TovraneProcessor<Maths>::NextOutputGain() {
  return GainFor(outputGain, outputGainSmoother.Step(outputGainTarget));
}

// The quad mix of this frame, which is also the quad delay lines' level.
template <class Maths>
[[gnu::always_inline]] inline double TovraneProcessor<Maths>::NextQuadMix() {
  return quadMixSmoother.Step(engineQuadMix);
}

// The comb lines' level for a frame's quad mix.
template <class Maths>
double TovraneProcessor<Maths>::CombGain(double zq) {
  return static_cast<float>(static_cast<float>(zq) * static_cast<float>(zq)) * 0.5;
}

template <class Maths>
TovraneProcessor<Maths>::TovraneProcessor() : drawnFrom(RandomGenerator::StateOfThisThread()) {
  StartTapes();
}

template <class Maths>
TovraneProcessor<Maths>::TovraneProcessor(uint32_t drawnFrom) : drawnFrom(drawnFrom) {
  RandomGenerator::Replay replay(drawnFrom);
  StartTapes();
}

template <class Maths>
void TovraneProcessor<Maths>::StartTapes() {
  leftChannel.Init(kLeftStart);
  rightChannel.Init(kRightStart);
  transportSines.SetTime(DoublePair{kLeftStart, kRightStart});
  const Biquad* brownShapers[2] = {&leftChannel.BrownNoiseShaper(),
                                   &rightChannel.BrownNoiseShaper()};
  shaping.ContinueDcBlocker(brownShapers);
}

template <class Maths>
void TovraneProcessor<Maths>::Prepare(double sampleRate) {
  const double fs = static_cast<float>(sampleRate);
  quadDelays.sampleRate = fs;
  leftChannel.PrepareSampleRate(sampleRate);
  rightChannel.PrepareSampleRate(sampleRate);
}

template <class Maths>
void TovraneProcessor<Maths>::Apply(const EngineSnapshot& s, bool powerOff) {
  channelSettings = s;
  engineQuadMix = s.quadMix;
  engineQuadDelay = s.quadDelay;
  inputGainTarget = s.inputGain;
  outputGainTarget = s.outputGain;
  bypass = powerOff;
}

template <class Maths>
void TovraneProcessor<Maths>::Process(const double* const* inputs, double* const* outputs, int frames,
                               double fs) {
  DenormalGuard denormals;
  StartBlock(fs);
  shaping.SetBypass(bypass);
  for (int start = 0; start < frames; start += kRun) {
    const int run = frames - start < kRun ? frames - start : kRun;
    ProcessRun(inputs, outputs, start, run, 1.0 / fs);
  }
  // Whatever went wrong inside, the host hears one block of silence and the
  // next block starts from clean filters and empty delay lines.
  if (!OutputIsSound(outputs, frames) || !SignalStateIsFinite()) {
    SilenceOutput(outputs, frames);
    ClearSignalState();
  }
}

template <class Maths>
void TovraneProcessor<Maths>::StartBlock(double fs) {
  leftChannel.Configure(channelSettings, fs);
  rightChannel.Configure(channelSettings, fs);
  shaping.Configure(channelSettings, fs);
  const double inv = 1.0 / fs;
  const double q = engineQuadDelay;
  const double base = q * 0.045 + 0.005;
  quadDelays.GlideTo(0, base * fs);
  quadDelays.GlideTo(1, (base + 0.01) * fs);
  combDelays.GlideTo(0, base * fs * 1.33);
  combDelays.GlideTo(1, (base + 0.01) * fs * 1.33);
  quadDelays.SetLfo(0.125 * inv, 0.25);
  combDelays.SetLfo(0.125 * inv, 0.25);

  sweep.StartBlock(inv);
}

// A run of frames, stage by stage: both transports, then both channels'
// shaping side by side, then the mix. No stage feeds an earlier one back
// within a frame, so each stage runs over the whole run.
template <class Maths>
void TovraneProcessor<Maths>::ProcessRun(const double* const* inputs, double* const* outputs, int start,
                                  int frames, double inv) {
  DoublePair wow[kRun], readFlutter[kRun];
  transportSines.Run(DoublePair{leftChannel.SampleRate(), rightChannel.SampleRate()}, frames, wow,
                     readFlutter);
  DoublePair delayed[kRun], noise[kRun], tubeLevel[kRun];
  double dry[2][kRun];
  for (int i = 0; i < frames; ++i) {
    // With the power off the tape runs on from the dry input, so that it
    // comes back without a jump.
    const double gIn = bypass ? 1.0 : NextInputGain();
    const double inL = FiniteOrSilence(inputs[0][start + i]);
    const double inR = FiniteOrSilence(inputs[1][start + i]);
    const typename TapeChannel<Maths>::Tap left =
        leftChannel.Transport(inL * gIn, -1.0, wow[i][0], readFlutter[i][0]);
    const typename TapeChannel<Maths>::Tap right = rightChannel.Transport(inR * gIn, leftChannel.ReadPosition(),
                                                          wow[i][1], readFlutter[i][1]);
    delayed[i] = DoublePair{left.delayed, right.delayed};
    noise[i] = DoublePair{left.noise, right.noise};
    tubeLevel[i] = DoublePair{leftChannel.TubeLevel(), rightChannel.TubeLevel()};
    if (bypass) {
      dry[0][i] = leftChannel.DryOutput();
      dry[1][i] = rightChannel.DryOutput();
    }
  }
  DoublePair shaped[kRun];
  shaping.Run(delayed, noise, tubeLevel, shaped, frames);
  if (bypass) {
    BypassRun(dry, outputs, start, frames);
  } else {
    MixRun(shaped, outputs, start, frames, inv);
  }
}

// The gains and the sweep move on as they would with the power on; the
// swept filters do not run, and are designed afresh before they next do.
template <class Maths>
void TovraneProcessor<Maths>::BypassRun(const double (*dry)[kRun], double* const* outputs, int start,
                                 int frames) {
  for (int i = 0; i < frames; ++i) {
    NextInputGain();
    NextOutputGain();
    NextQuadMix();
    sweep.Skip();
    outputs[0][start + i] = dry[0][i];
    outputs[1][start + i] = dry[1][i];
  }
}

// After the tape channels: output gain, combs, swept all-pass blend and the
// mid/side quad stage with its swept peaks, stage by stage over the run, with
// the left and right lines and filters side by side, then the mid and side
// ones.
template <class Maths>
void TovraneProcessor<Maths>::MixRun(const DoublePair* shaped, double* const* outputs, int start,
                              int frames, double inv) {
  SweepPhases::FrameDesigns designs[kRun];
  sweep.DesignRun(frames, inv, designs);
  DoublePair lr[kRun], ms[kRun], delayed[kRun];
  DoublePair combGains[kRun], quadGains[kRun];
  for (int i = 0; i < frames; ++i) {
    const double gOut = NextOutputGain();
    const double zq = NextQuadMix();
    quadGains[i] = BothHalves(zq);
    combGains[i] = BothHalves(CombGain(zq));
    lr[i] = shaped[i] * gOut;
  }
  combDelays.Run(lr, combGains, delayed, frames);

  BiquadSection<DoublePair> allpasses = phaseAllpasses;
  for (int i = 0; i < frames; ++i) {
    const double zq = quadGains[i][0];
    DoublePair x = lr[i] - delayed[i];
    allpasses.SetDesigns(designs[i].allpasses);
    const double m = zq * 0.2;
    x = allpasses.ProcessRounded(x) * m + (1.0 - m) * x;
    const double k = 1.0 - zq * 0.2;
    ms[i] = DoublePair{x[0] + x[1], x[0] - x[1]} * 0.5 * k;
  }
  phaseAllpasses = allpasses;
  quadDelays.Run(ms, quadGains, delayed, frames);

  BiquadSection<DoublePair> peaks = quadPeaks;
  const double w = engineQuadMix;
  for (int i = 0; i < frames; ++i) {
    DoublePair x = ms[i] + delayed[i];
    peaks.SetDesigns(designs[i].peaks);
    x = peaks.ProcessRounded(x) * w + (1.0 - w) * x;
    outputs[0][start + i] = x[0] + x[1];
    outputs[1][start + i] = x[0] - x[1];
  }
  quadPeaks = peaks;
}

// +-12 dB around unity for a smoother state z of 0..1.
template <class Maths>
double TovraneProcessor<Maths>::GainFor(GainFactor& gain, float z) {
  if (z != gain.state) {
    gain.state = z;
    gain.factor = Maths::Exp((static_cast<double>(z) - 0.5) * 24.0 * kLnTenOverTwenty);
  }
  return gain.factor;
}

template <class Maths>
const ModDelay<DoublePair>& TovraneProcessor<Maths>::DelayLines(int which) const {
  return which < 2 ? quadDelays : combDelays;
}

template <class Maths>
const GlideRamp& TovraneProcessor<Maths>::DelayGlide(int which) const {
  return DelayLines(which).delayRamp[which % 2];
}

template <class Maths>
double TovraneProcessor<Maths>::DelayTime(int which) const {
  return DelayLines(which).delay[which % 2];
}

// The guard at the end of every block: a non-finite value born anywhere in
// the chain (an overflow, a design pushed past its limits) never reaches the
// host and never lodges in the filters and delay lines for good.

// Anything beyond the largest float would reach a single-precision host as
// infinity; NaN fails the comparison as well. The loop has no early exit, so
// the compiler can run it over several samples at a time.
template <class Maths>
bool TovraneProcessor<Maths>::OutputIsSound(const double* const* outputs, int frames) {
  bool sound = true;
  for (int i = 0; i < frames; ++i) {
    sound &= std::fabs(outputs[0][i]) <= FLT_MAX;
    sound &= std::fabs(outputs[1][i]) <= FLT_MAX;
  }
  return sound;
}

template <class Maths>
void TovraneProcessor<Maths>::SilenceOutput(double* const* outputs, int frames) {
  if (frames <= 0) return;
  std::fill(outputs[0], outputs[0] + frames, 0.0);
  std::fill(outputs[1], outputs[1] + frames, 0.0);
}

template <class Maths>
bool TovraneProcessor<Maths>::SignalStateIsFinite() const {
  return sweep.IsFinite() && transportSines.IsFinite() && leftChannel.StateIsFinite() && rightChannel.StateIsFinite() &&
         shaping.StateIsFinite() &&
         quadDelays.StateIsFinite() && combDelays.StateIsFinite() &&
         quadPeaks.StateIsFinite() && phaseAllpasses.StateIsFinite() &&
         inputGainSmoother.StateIsFinite() && outputGainSmoother.StateIsFinite() &&
         quadMixSmoother.StateIsFinite();
}

template <class Maths>
void TovraneProcessor<Maths>::ClearSignalState() {
  leftChannel.ClearSignal();
  rightChannel.ClearSignal();
  shaping.ClearState();
  transportSines.ClearNonFinite();
  quadDelays.ClearSignal();
  combDelays.ClearSignal();
  quadPeaks.ClearState();
  phaseAllpasses.ClearState();
  for (OnePoleSmoother<Maths>* smoother : {&inputGainSmoother, &outputGainSmoother, &quadMixSmoother}) {
    if (!smoother->StateIsFinite()) smoother->Reset();
  }
  // The gain factors are recomputed from the smoothers at the next sample.
  inputGain = GainFactor();
  outputGain = GainFactor();
  sweep.ClearNonFinite();
}

template class TovraneProcessor<ProductMaths>;
template class TovraneProcessor<LiteralMaths>;
