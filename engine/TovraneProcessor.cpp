// The per-block processing chain: gains, both tape channels, the comb
// delays, the swept all-pass blend and the mid/side quad stage.
#include "engine/TovraneProcessor.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/DenormalGuard.h"
#include "dsp/BiquadPair.h"
#include "dsp/Maths.h"
#include "dsp/ModDelayPair.h"
#include "dsp/ShapingPair.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kLnTenOverTwenty = 0.1151292546497;
constexpr double kPhaseOffset2 = 1.790707812546182;   // 0.57 pi
constexpr double kPhaseOffset3 = 0.9738937226128359;  // 0.31 pi
constexpr double kPhaseOffset4 = 2.3090706003884978;  // 0.735 pi
constexpr double kPhaseOffsets[4] = {0.0, kPhaseOffset2, kPhaseOffset3, kPhaseOffset4};
// The swept filters: the mid and side peaks, the left and right all-passes.
constexpr BiquadType kSweptTypes[4] = {BiquadType::Peak, BiquadType::Peak, BiquadType::Allpass,
                                       BiquadType::Allpass};

// The single-precision filter step: rounded in, double inside, rounded out.
double FilterStep(Biquad& filter, double x) {
  return static_cast<float>(filter.Process(static_cast<float>(x)));
}

void Redesign(Biquad& filter, BiquadType type, double fc, double gainDb) {
  filter.type = type;
  filter.fc = fc;
  filter.q = 2.0;
  filter.gainDb = gainDb;
  filter.CalcCoefficients();
}

// A host may hand over NaN or infinite samples; they must not lodge in the
// filters and delay lines for the rest of the session.
double FiniteOrSilence(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

// The per-frame steps are forced inline into the frame and run loops.
[[gnu::always_inline]] inline double TovraneProcessor::NextInputGain() {
  return GainFor(inputGain, inputGainSmoother.Step(inputGainTarget));
}

// The quad mix of this frame, which also sets the delay lines' levels.
[[gnu::always_inline]] inline double TovraneProcessor::NextQuadMix() {
  const double zq = quadMixSmoother.Step(engineQuadMix);
  quadDelayLineMid.gain = zq;
  quadDelayLineSide.gain = zq;
  const double combGain = static_cast<float>(static_cast<float>(zq) * static_cast<float>(zq)) * 0.5;
  combDelayLeft.gain = combGain;
  combDelayRight.gain = combGain;
  return zq;
}

// After the tape channels: output gain, combs, swept all-pass blend and the
// mid/side quad stage with its swept peaks.
[[gnu::always_inline]] inline void TovraneProcessor::MixFrame(double left, double right,
                                                              double* outL, double* outR,
                                                              double inv, int runFrame) {
  const double gOut = GainFor(outputGain, outputGainSmoother.Step(outputGainTarget));
  const double zq = NextQuadMix();
  if constexpr (maths::kLiteral) {
    SweepFilters(inv);
  } else {
    const ScaledCoefficients<DoublePair>* designs = sweepDesigns[runFrame];
    quadPeakMid.Apply(BiquadPair::Half(designs[0], 0));
    quadPeakSide.Apply(BiquadPair::Half(designs[0], 1));
    phaseAllpassLeft.Apply(BiquadPair::Half(designs[1], 0));
    phaseAllpassRight.Apply(BiquadPair::Half(designs[1], 1));
  }
  left = left * gOut;
  right = right * gOut;
  left = left - combDelayLeft.Process(left);
  right = right - combDelayRight.Process(right);

  const double m = zq * 0.2;
  left = FilterStep(phaseAllpassLeft, left) * m + (1.0 - m) * left;
  right = FilterStep(phaseAllpassRight, right) * m + (1.0 - m) * right;

  const double k = 1.0 - zq * 0.2;
  double mid = (left + right) * 0.5 * k;
  double side = (left - right) * 0.5 * k;
  mid = mid + quadDelayLineMid.Process(mid);
  side = side + quadDelayLineSide.Process(side);

  const double w = engineQuadMix;
  mid = FilterStep(quadPeakMid, mid) * w + (1.0 - w) * mid;
  side = FilterStep(quadPeakSide, side) * w + (1.0 - w) * side;
  *outL = mid + side;
  *outR = mid - side;
}

TovraneProcessor::TovraneProcessor() {
  leftChannel.Init(0);
  rightChannel.Init(376);
}

void TovraneProcessor::Prepare(double sampleRate) {
  const double fs = static_cast<float>(sampleRate);
  quadDelayLineMid.sampleRate = fs;
  quadDelayLineSide.sampleRate = fs;
  leftChannel.PrepareSampleRate(sampleRate);
  rightChannel.PrepareSampleRate(sampleRate);
}

void TovraneProcessor::Apply(const EngineSnapshot& s, bool powerOff) {
  channelSettings = s;
  engineQuadMix = s.quadMix;
  engineQuadDelay = s.quadDelay;
  inputGainTarget = s.inputGain;
  outputGainTarget = s.outputGain;
  bypass = powerOff;
}

int TovraneProcessor::LatencyAt(double sampleRate) {
  return static_cast<int>(sampleRate / 44100.0 * kReferenceLatency);
}

void TovraneProcessor::Process(const double* const* inputs, double* const* outputs, int frames,
                               double fs) {
  DenormalGuard denormals;
  StartBlock(fs);
  leftChannel.SetBypass(bypass);
  rightChannel.SetBypass(bypass);
  const bool designAhead = !maths::kLiteral && !bypass;
  const bool pairedRuns = designAhead && ShapingPair::Applies(leftChannel, rightChannel);
  for (int start = 0; start < frames; start += kSweepRun) {
    const int run = frames - start < kSweepRun ? frames - start : kSweepRun;
    if constexpr (!maths::kLiteral)
      TapeChannel::PrepareTransportRun(leftChannel, rightChannel, run);
    if (designAhead) DesignSweepRun(run, 1.0 / fs);
    if (pairedRuns) {
      ProcessRun(inputs, outputs, start, run);
      continue;
    }
    for (int i = start; i < start + run; ++i) {
      const double inL = FiniteOrSilence(inputs[0][i]);
      const double inR = FiniteOrSilence(inputs[1][i]);
      ProcessFrame(inL, inR, &outputs[0][i], &outputs[1][i], 1.0 / fs, i - start);
    }
  }
  // Whatever went wrong inside, the host hears one block of silence and the
  // next block starts from clean filters and empty delay lines.
  if (!OutputIsSound(outputs, frames) || !SignalStateIsFinite()) {
    SilenceOutput(outputs, frames);
    ClearSignalState();
  }
}

void TovraneProcessor::StartBlock(double fs) {
  leftChannel.Configure(channelSettings, fs);
  rightChannel.Configure(channelSettings, fs);
  const double inv = 1.0 / fs;
  const double q = engineQuadDelay;
  const double base = q * 0.045 + 0.005;
  GlideTo(quadDelayLineMid, base * fs);
  GlideTo(quadDelayLineSide, (base + 0.01) * fs);
  SetDelayLfo(quadDelayLineMid, inv);
  SetDelayLfo(quadDelayLineSide, inv);
  GlideTo(combDelayLeft, base * fs * 1.33);
  GlideTo(combDelayRight, (base + 0.01) * fs * 1.33);
  SetDelayLfo(combDelayLeft, inv);
  SetDelayLfo(combDelayRight, inv);

  const double rate = (maths::Sin(phase[2]) * 0.75 + 1.25) * 2.0 * (kTwoPi * inv);
  phaseStep[0] = 0.1 * rate;
  phaseStep[1] = 0.1671 * rate;
  phaseStep[2] = 0.451 * rate;
  phaseStep[3] = 0.817 * rate;
  if constexpr (!maths::kLiteral) {
    for (int k = 0; k < 4; ++k) sweepSine[k].SetStep(phaseStep[k]);
    AnchorSweepSines();
  }
}

// Starts a glide unless the line is already at, or already gliding to, the target.
void TovraneProcessor::GlideTo(ModDelay& line, double target) {
  if (line.delay != target && line.delayRamp.target != target) {
    line.delayRamp.Start(line.delayRamp.value, target, line.sampleRate * 0.25, 0.0);
  }
}

void TovraneProcessor::SetDelayLfo(ModDelay& line, double inv) {
  line.lfoDepth = 0.25;
  line.lfoRate = 0.125 * inv;
}

void TovraneProcessor::ProcessFrame(double inL, double inR, double* outL, double* outR, double inv,
                                    int runFrame) {
  const double gIn = NextInputGain();
  if (bypass) {
    GainFor(outputGain, outputGainSmoother.Step(outputGainTarget));
    NextQuadMix();
    // The swept filters do not run, and are redesigned before they next do.
    AdvancePhases();
    *outL = leftChannel.ProcessSample(inL, -1.0);
    *outR = rightChannel.ProcessSample(inR, leftChannel.ReadPosition());
    return;
  }
  const TapeChannel::Tap tapLeft = leftChannel.Transport(inL * gIn, -1.0);
  const TapeChannel::Tap tapRight = rightChannel.Transport(inR * gIn, leftChannel.ReadPosition());
  double left, right;
  TapeChannel::ShapePair(leftChannel, tapLeft, rightChannel, tapRight, &left, &right);
  MixFrame(left, right, outL, outR, inv, runFrame);
}

// The product build takes a run of frames stage by stage: both transports,
// then both channels' shaping side by side, then the mix. No stage feeds an
// earlier one back within a frame, so only the order changes.
void TovraneProcessor::ProcessRun(const double* const* inputs, double* const* outputs, int start,
                                  int frames) {
  TapeChannel::Tap tapsLeft[kSweepRun];
  TapeChannel::Tap tapsRight[kSweepRun];
  float tubeLeft[kSweepRun];
  float tubeRight[kSweepRun];
  for (int i = 0; i < frames; ++i) {
    const double gIn = NextInputGain();
    const double inL = FiniteOrSilence(inputs[0][start + i]);
    const double inR = FiniteOrSilence(inputs[1][start + i]);
    tapsLeft[i] = leftChannel.Transport(inL * gIn, -1.0);
    tapsRight[i] = rightChannel.Transport(inR * gIn, leftChannel.ReadPosition());
    tubeLeft[i] = leftChannel.TubeLevel();
    tubeRight[i] = rightChannel.TubeLevel();
  }
  double shapedLeft[kSweepRun];
  double shapedRight[kSweepRun];
  ShapingPair::ShapeRun(leftChannel, {tapsLeft, tubeLeft, shapedLeft}, rightChannel,
                        {tapsRight, tubeRight, shapedRight}, frames);
  MixRun(shapedLeft, shapedRight, outputs, start, frames);
}

// MixFrame for a run, stage by stage, with the left and right lines and
// filters side by side, then the mid and side ones. Each stage only feeds
// later ones, so running each over the whole run changes only the order.
void TovraneProcessor::MixRun(const double* shapedLeft, const double* shapedRight,
                              double* const* outputs, int start, int frames) {
  DoublePair lr[kSweepRun], ms[kSweepRun], delayed[kSweepRun];
  DoublePair combGains[kSweepRun], quadGains[kSweepRun];
  for (int i = 0; i < frames; ++i) {
    const double gOut = GainFor(outputGain, outputGainSmoother.Step(outputGainTarget));
    quadGains[i] = BothHalves(NextQuadMix());
    combGains[i] = BothHalves(combDelayLeft.gain);
    lr[i] = DoublePair{shapedLeft[i], shapedRight[i]} * gOut;
  }
  ModDelayPair(combDelayLeft, combDelayRight).Run(lr, combGains, delayed, frames);

  BiquadPair allpasses;
  allpasses.Load(phaseAllpassLeft, phaseAllpassRight);
  for (int i = 0; i < frames; ++i) {
    const double zq = quadGains[i][0];
    DoublePair x = lr[i] - delayed[i];
    allpasses.Apply(sweepDesigns[i][1]);
    const double m = zq * 0.2;
    x = allpasses.ProcessRounded(x) * m + (1.0 - m) * x;
    const double k = 1.0 - zq * 0.2;
    ms[i] = DoublePair{x[0] + x[1], x[0] - x[1]} * 0.5 * k;
  }
  allpasses.Store(phaseAllpassLeft, phaseAllpassRight);
  ModDelayPair(quadDelayLineMid, quadDelayLineSide).Run(ms, quadGains, delayed, frames);

  BiquadPair peaks;
  peaks.Load(quadPeakMid, quadPeakSide);
  const double w = engineQuadMix;
  for (int i = 0; i < frames; ++i) {
    DoublePair x = ms[i] + delayed[i];
    peaks.Apply(sweepDesigns[i][0]);
    x = peaks.ProcessRounded(x) * w + (1.0 - w) * x;
    outputs[0][start + i] = x[0] + x[1];
    outputs[1][start + i] = x[0] - x[1];
  }
  peaks.Store(quadPeakMid, quadPeakSide);
}

// +-12 dB around unity for a smoother state z of 0..1.
double TovraneProcessor::GainFor(GainFactor& gain, float z) {
  if (z != gain.state) {
    gain.state = z;
    gain.factor = maths::Exp((static_cast<double>(z) - 0.5) * 24.0 * kLnTenOverTwenty);
  }
  return gain.factor;
}

// The four sine modulators, read before this frame's advance, sweep the
// peak and all-pass filters: each filter's corner and gain.
TovraneProcessor::SweepSettings TovraneProcessor::NextSweepSettings(double inv) {
  double s1, s2, s3, s4;
  if constexpr (maths::kLiteral) {
    s1 = maths::Sin(phase[0]);
    s2 = maths::Sin(phase[1] + kPhaseOffset2);
    s3 = maths::Sin(phase[2] + kPhaseOffset3);
    s4 = maths::Sin(phase[3] + kPhaseOffset4);
  } else {
    s1 = sweepSine[0].Sin();
    s2 = sweepSine[1].Sin();
    s3 = sweepSine[2].Sin();
    s4 = sweepSine[3].Sin();
  }
  AdvancePhases();
  return {{{(s1 * 800.0 + 1000.0) * inv, s3 * 3.0},
           {(s2 * 800.0 + 1000.0) * inv, s4 * 3.0},
           {(s3 * 800.0 + 1000.0) * inv, 0.0},
           {(s4 * 800.0 + 1000.0) * inv, 0.0}}};
}

void TovraneProcessor::SweepFilters(double inv) {
  const SweepSettings next = NextSweepSettings(inv);
  Biquad* const filters[4] = {&quadPeakMid, &quadPeakSide, &phaseAllpassLeft, &phaseAllpassRight};
  for (int k = 0; k < 4; ++k) {
    Redesign(*filters[k], kSweptTypes[k], next.filter[k].fc, next.filter[k].gainDb);
  }
}

// The run's first designs are worked out in full, the others carried on
// from them.
void TovraneProcessor::DesignSweepRun(int frames, double inv) {
  for (int i = 0; i < frames; ++i) {
    const SweepSettings next = NextSweepSettings(inv);
    const auto& f = next.filter;
    if (i == 0) {
      sweptPeaks.Anchor(BiquadType::Peak, 2.0, f[0].fc, f[0].gainDb, f[1].fc, f[1].gainDb);
      sweptAllpasses.Anchor(BiquadType::Allpass, 2.0, f[2].fc, f[2].gainDb, f[3].fc, f[3].gainDb);
    } else {
      sweptPeaks.Step(f[0].fc, f[0].gainDb, f[1].fc, f[1].gainDb);
      sweptAllpasses.Step(f[2].fc, f[2].gainDb, f[3].fc, f[3].gainDb);
    }
    sweepDesigns[i][0] = sweptPeaks.Designs();
    sweepDesigns[i][1] = sweptAllpasses.Designs();
  }
}

void TovraneProcessor::AdvancePhases() {
  for (int k = 0; k < 4; ++k) {
    phase[k] += phaseStep[k];
    if (phase[k] > kTwoPi) phase[k] -= kTwoPi;
  }
  if constexpr (!maths::kLiteral) {
    if (sweepSine[0].StepDueForAnchor()) {
      AnchorSweepSines();
    } else {
      for (QuadratureOscillator& sine : sweepSine) sine.Rotate();
    }
  }
}

// The rotation follows the phases, which keep being accumulated as they
// always were; each block, and every so many frames in long blocks, the
// sines start again from them.
void TovraneProcessor::AnchorSweepSines() {
  for (int k = 0; k < 4; ++k) sweepSine[k].Anchor(phase[k] + kPhaseOffsets[k]);
}

const ModDelay& TovraneProcessor::DelayLine(int which) const {
  switch (which) {
    case 0:
      return quadDelayLineMid;
    case 1:
      return quadDelayLineSide;
    case 2:
      return combDelayLeft;
    default:
      return combDelayRight;
  }
}

// The guard at the end of every block: a non-finite value born anywhere in
// the chain (an overflow, a design pushed past its limits) never reaches the
// host and never lodges in the filters and delay lines for good.

// Anything beyond the largest float would reach a single-precision host as
// infinity; NaN fails the comparison as well. The loop has no early exit, so
// the compiler can run it over several samples at a time.
bool TovraneProcessor::OutputIsSound(const double* const* outputs, int frames) {
  bool sound = true;
  for (int i = 0; i < frames; ++i) {
    sound &= std::fabs(outputs[0][i]) <= FLT_MAX;
    sound &= std::fabs(outputs[1][i]) <= FLT_MAX;
  }
  return sound;
}

void TovraneProcessor::SilenceOutput(double* const* outputs, int frames) {
  if (frames <= 0) return;
  std::fill(outputs[0], outputs[0] + frames, 0.0);
  std::fill(outputs[1], outputs[1] + frames, 0.0);
}

bool TovraneProcessor::SignalStateIsFinite() const {
  const double modulation = phase[0] + phase[1] + phase[2] + phase[3];
  return std::isfinite(modulation) && leftChannel.StateIsFinite() && rightChannel.StateIsFinite() &&
         quadDelayLineMid.StateIsFinite() && quadDelayLineSide.StateIsFinite() &&
         combDelayLeft.StateIsFinite() && combDelayRight.StateIsFinite() &&
         quadPeakMid.StateIsFinite() && quadPeakSide.StateIsFinite() &&
         phaseAllpassLeft.StateIsFinite() && phaseAllpassRight.StateIsFinite() &&
         inputGainSmoother.StateIsFinite() && outputGainSmoother.StateIsFinite() &&
         quadMixSmoother.StateIsFinite();
}

void TovraneProcessor::ClearSignalState() {
  leftChannel.ClearSignal();
  rightChannel.ClearSignal();
  for (ModDelay* line : {&quadDelayLineMid, &quadDelayLineSide, &combDelayLeft, &combDelayRight})
    line->ClearSignal();
  for (Biquad* filter : {&quadPeakMid, &quadPeakSide, &phaseAllpassLeft, &phaseAllpassRight})
    filter->ClearState();
  for (OnePoleSmoother* smoother : {&inputGainSmoother, &outputGainSmoother, &quadMixSmoother}) {
    if (!smoother->StateIsFinite()) smoother->Reset();
  }
  // The gain factors are recomputed from the smoothers at the next sample.
  inputGain = GainFactor();
  outputGain = GainFactor();
  for (double& p : phase) {
    if (!std::isfinite(p)) p = 0.0;
  }
}
