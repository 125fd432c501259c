#include "dsp/TapeChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>

#include "dsp/Maths.h"
#include "dsp/Maths.h"
#include "dsp/NoiseBanks.h"
#include "dsp/RandomGenerator.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kReferenceRate = 44100.0;
constexpr double kReferenceDelay = 1378.0;
constexpr double kReferenceLength = 2756.0;
constexpr int kCrossfadeLength = BrownLoopSize::kSize - BrownLoopSize::kPeriod;
constexpr double kDrawScale = RandomGenerator::kMax;

struct NoiseBank {
  const float* table;
  int64_t length;
  bool backwards;
};

// Left and right readers of the same recording run in opposite directions
// where the two channels are (nearly) the same signal.
NoiseBank SelectBank(int32_t noiseType, bool rightSide) {
  switch (noiseType) {
    case 0:
      return rightSide ? NoiseBank{noise1Right, kNoise1Length, false}
                       : NoiseBank{noise1Left, kNoise1Length, false};
    case 1:
      return rightSide ? NoiseBank{noise2Right, kNoise2Length, false}
                       : NoiseBank{noise2Left, kNoise2Length, true};
    case 2:
      return rightSide ? NoiseBank{vinyl1Right, kVinyl1Length, false}
                       : NoiseBank{vinyl1Left, kVinyl1Length, true};
    default:
      return NoiseBank{vinyl2Mono, kVinyl2Length, !rightSide};
  }
}

int64_t WrapIndex(int64_t n, int64_t length) {
  const int64_t m = n % length;
  return m < 0 ? m + length : m;
}

}  // namespace

template <class Maths>
void TapeChannel<Maths>::Init(int32_t startOffset) {
  noiseType = 0;
  profile = 0;
  noiseDynamic = 0.0;
  noiseDepth = static_cast<double>(0.15f) * noiseDynamic;
  wowDepthTarget = scratchDepthTarget = linkTarget = tubeTarget = 0.0;
  wowDepthSmoother.Reset();
  scratchDepthSmoother.Reset();
  linkSmoother.Reset();
  tubeSmoother.Reset();
  scratchRamp = GlideRamp();
  scratchCountdown = 0.0;
  noiseFilter = Biquad();
  sampleRate = kReferenceRate;
  invSampleRate = 1.0 / kReferenceRate;
  noiseIncrement = 1.0;

  brownShaper = Biquad();
  brownShaper.type = BiquadType::Highpass;
  brownShaper.fc = 50.0 / kReferenceRate;
  brownShaper.q = 0.707;
  brownShaper.gainDb = 0.0;
  brownShaper.template CalcTangentCoefficients<Maths>();
  FillBrownLoop(brownLoopA, 0.001f);
  FillBrownLoop(brownLoopB, 0.0015f);

  nominalDelay = kReferenceDelay;
  delayLength = static_cast<int32_t>(kReferenceLength);
  writeIndex = 0.0;
  readPosition = 0.0;
  SetNoisePosition(startOffset);
  delayLine.reset(new double[delayLength]());
}

// Integrated high-passed white noise, then an equal-power crossfade of the
// tail into the head so that the first kBrownLoopPeriod entries loop seamlessly.
template <class Maths>
void TapeChannel<Maths>::FillBrownLoop(double* loop, float step) {
  double sum = 0.0;
  for (int i = 0; i < kBrownLoopSize; ++i) {
    const int u = RandomGenerator::Next();
    const float white = static_cast<float>((2.0 * u / kDrawScale - 1.0) * step);
    sum += static_cast<float>(brownShaper.Process(white));
    loop[i] = sum;
  }
  for (int i = 0; i < kCrossfadeLength; ++i) {
    const double d = i / static_cast<double>(kCrossfadeLength);
    loop[i] = std::sqrt(1.0 - d) * loop[i + kBrownLoopPeriod] + std::sqrt(d) * loop[i];
  }
}

template <class Maths>
bool TapeChannel<Maths>::StateIsFinite() const {
  const int64_t newest = WrapIndex(static_cast<int64_t>(writeIndex) - 1, delayLength);
  const double transport =
      readPosition + noisePosition + scratchCountdown + delayLine[newest];
  return std::isfinite(transport) && scratchRamp.IsFinite() && noiseFilter.StateIsFinite() &&
         wowDepthSmoother.StateIsFinite() && scratchDepthSmoother.StateIsFinite() &&
         linkSmoother.StateIsFinite() && tubeSmoother.StateIsFinite();
}

template <class Maths>
void TapeChannel<Maths>::ClearSignal() {
  std::fill(delayLine.get(), delayLine.get() + delayLength, 0.0);
  noiseFilter.ClearState();
  for (OnePoleSmoother<Maths>* smoother :
       {&wowDepthSmoother, &scratchDepthSmoother, &linkSmoother, &tubeSmoother}) {
    if (!smoother->StateIsFinite()) smoother->Reset();
  }
  if (!scratchRamp.IsFinite() || !std::isfinite(scratchCountdown)) {
    scratchRamp = GlideRamp();
    scratchCountdown = 0.0;
  }
  if (!std::isfinite(noisePosition)) SetNoisePosition(0.0);
  if (!(readPosition >= 0.0 && readPosition < delayLength)) readPosition = 0.0;
}

template <class Maths>
void TapeChannel<Maths>::SetNoisePosition(double position) {
  noisePosition = position;
  noiseIndex = static_cast<int64_t>(position);
}

// Allocates the line for a new rate. On failure (or a rate that gives no
// usable length) the old line, length and rate stay in force together.
template <class Maths>
bool TapeChannel<Maths>::ResizeDelayLine(double newRate) {
  const double ratio = newRate / kReferenceRate;
  const double length = std::trunc(kReferenceLength * ratio);
  if (!(length >= 1.0 && length <= std::numeric_limits<int32_t>::max())) return false;
  double* fresh = new (std::nothrow) double[static_cast<size_t>(length)]();
  if (fresh == nullptr) return false;
  delayLine.reset(fresh);
  delayLength = static_cast<int32_t>(length);
  writeIndex = 0.0;
  readPosition = 0.0;
  nominalDelay = kReferenceDelay * ratio;
  sampleRate = newRate;
  invSampleRate = 1.0 / newRate;
  return true;
}

template <class Maths>
void TapeChannel<Maths>::PrepareSampleRate(double newRate) {
  if (newRate != sampleRate) ResizeDelayLine(newRate);
}

template <class Maths>
void TapeChannel<Maths>::Configure(TapeChannelSettings settings, double newRate) {
  if (newRate != sampleRate) ResizeDelayLine(newRate);

  noiseType = settings.noiseType;
  wowDepthTarget = settings.wow * static_cast<double>(0.075f) * 2.0;
  tubeTarget = settings.tubeDrive;
  noiseDynamic = settings.noiseDynamic;
  noiseDepth = static_cast<double>(0.15f) * noiseDynamic;
  linkTarget = settings.wide * settings.wide;
  scratchDepthTarget = 4.0 * settings.scratch;
  profile = settings.profile;
  noiseIncrement = kReferenceRate / ((2.0 - settings.speed) * sampleRate);

  noiseFilter.type = BiquadType::Lowpass;
  noiseFilter.fc = 8000.0 / sampleRate;
  noiseFilter.q = 0.707;
  noiseFilter.gainDb = 0.0;
  noiseFilter.template CalcCoefficients<Maths>();
}

// The per-sample steps below are forced inline into Transport, so the
// compiler schedules it as one piece.

// A scratch is a short random jump of the read point; with the ramp at rest
// every new target lies at or below zero.
template <class Maths>
[[gnu::always_inline]] inline void TapeChannel<Maths>::StepScratch() {
  scratchCountdown -= invSampleRate;
  scratchRamp.Step(invSampleRate);
  if (scratchCountdown > 0.0) return;
  const int waitDraw = RandomGenerator::Next();
  const float waitSpan = 8.0f - scratchDepthSmoother.Value();
  scratchCountdown = static_cast<double>(waitSpan) * waitDraw / kDrawScale + 1.0;
  const double sign = scratchRamp.value > 0.0 ? 1.0 : -1.0;
  const int depthDraw = RandomGenerator::Next();
  const double jumpTarget = sign * depthDraw / kDrawScale * static_cast<double>(0.05f);
  scratchRamp.Start(scratchRamp.value, jumpTarget, 0.03125, 0.015625);
}

template <class Maths>
double TapeChannel<Maths>::WrapIntoLine(double position) const {
  double wrapped = std::fmod(position, static_cast<double>(delayLength));
  if (wrapped < 0.0) wrapped += delayLength;
  return wrapped >= 0.0 && wrapped < delayLength ? wrapped : 0.0;
}

template <class Maths>
[[gnu::always_inline]] inline double TapeChannel<Maths>::ReadDelayLine(double linkPosition) const {
  double u = readPosition;
  if (linkPosition >= 0.0) {
    // Follow the left channel, taking the short way round the circular line.
    double delta = u - linkPosition;
    const double half = delayLength / 2.0;
    if (delta > half) {
      delta -= delayLength;
    } else if (delta < -half) {
      delta += delayLength;
    }
    u = linkPosition + static_cast<double>(linkSmoother.Value()) * delta;
    if (u < 0.0) {
      u += delayLength;
    } else if (u >= delayLength) {
      u -= delayLength;
    }
    // Only a left channel running at another line length can put u outside.
    if (!(u >= 0.0 && u < delayLength)) u = WrapIntoLine(u);
  }
  const int64_t i = static_cast<int64_t>(u);
  const double f = u - i;
  const int64_t next = i + 1 == delayLength ? 0 : i + 1;
  return (1.0 - f) * delayLine[i] + f * delayLine[next];
}

template <class Maths>
[[gnu::always_inline]] inline void TapeChannel<Maths>::WriteDelayLine(double x) {
  delayLine[static_cast<int64_t>(writeIndex)] = x;
  writeIndex += 1.0;
  if (writeIndex >= delayLength) writeIndex -= delayLength;
}

template <class Maths>
[[gnu::always_inline]] inline double TapeChannel<Maths>::NoiseSample(double linkPosition) {
  if (noiseType >= 0 && noiseType <= 3) return ReadBank(linkPosition >= 0.0);
  if (noiseType == 4) {
    const double* loop = profile > 0 ? brownLoopB : brownLoopA;
    return loop[WrapIndex(noiseIndex, kBrownLoopPeriod)];
  }
  return 0.0;
}

template <class Maths>
[[gnu::always_inline]] inline double TapeChannel<Maths>::ReadBank(bool rightSide) {
  const NoiseBank bank = SelectBank(noiseType, rightSide);
  const double f = noisePosition - static_cast<double>(noiseIndex);
  int64_t first = WrapNoiseIndex(bank.length);
  int64_t second = first + 1 == bank.length ? 0 : first + 1;
  if (bank.backwards) {
    first = bank.length - 1 - first;
    second = bank.length - 1 - second;
  }
  const float v =
      static_cast<float>(0.5 * ((1.0 - f) * bank.table[first] + f * bank.table[second]));
  return noiseFilter.ProcessRounded(v);
}

// The index moves forward by about one per sample, so a compare against the
// last result usually replaces the 64-bit division; jumps backwards or by a
// whole bank, and bank changes, take the division.
template <class Maths>
[[gnu::always_inline]] inline int64_t TapeChannel<Maths>::WrapNoiseIndex(int64_t length) {
  const int64_t step = noiseIndex - wrappedFrom;
  if (length == wrappedLength && step >= 0 && step < length) {
    wrappedIndex += step;
    if (wrappedIndex >= length) wrappedIndex -= length;
  } else {
    wrappedIndex = WrapIndex(noiseIndex, length);
    wrappedLength = length;
  }
  wrappedFrom = noiseIndex;
  return wrappedIndex;
}

template <class Maths>
[[gnu::always_inline]] inline void TapeChannel<Maths>::UpdateReadPosition(double noise, double wow,
                                                                  double readFlutter) {
  const double wowDepth = wowDepthSmoother.Value();
  const double m = 0.5 * wowDepth * readFlutter + 0.75 * wowDepth * wow +
                   static_cast<double>(scratchDepthSmoother.Value()) * scratchRamp.value +
                   noiseDepth * noise;
  double r = writeIndex + nominalDelay * (1.0 + m);
  if (r < 0.0) r += delayLength;
  if (r >= delayLength) r -= delayLength;
  // Reachable only with settings outside their documented ranges.
  if (!(r >= 0.0 && r < delayLength)) r = WrapIntoLine(r);
  readPosition = r;
}

template <class Maths>
typename TapeChannel<Maths>::Tap TapeChannel<Maths>::Transport(double input, double linkPosition, double wow,
                                        double readFlutter) {
  wowDepthSmoother.Step(wowDepthTarget);
  scratchDepthSmoother.Step(scratchDepthTarget);
  linkSmoother.Step(linkTarget);
  tubeSmoother.Step(tubeTarget);

  StepScratch();
  SetNoisePosition(noisePosition + noiseIncrement);
  if (nominalDelay >= delayLength) nominalDelay = delayLength;

  const double delayed = ReadDelayLine(linkPosition);
  WriteDelayLine(input);
  const double noise = NoiseSample(linkPosition);
  UpdateReadPosition(noise, wow, readFlutter);
  return {delayed, noise};
}

template <class Maths>
double TapeChannel<Maths>::DryOutput() const {
  const int64_t dryIndex = static_cast<int64_t>(writeIndex - 1.0 + nominalDelay);
  return delayLine[WrapIndex(dryIndex, delayLength)];
}

template class TapeChannel<ProductMaths>;
template class TapeChannel<LiteralMaths>;
