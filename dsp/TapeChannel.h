#pragma once
#include <cstdint>
#include <memory>

#include "dsp/Biquad.h"
#include "dsp/GlideRamp.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/TapeChannelSettings.h"

// The brown noise's loops: each holds kSize values, of which the first
// kPeriod loop seamlessly.
struct BrownLoopSize {
  static constexpr int kSize = 131072;
  static constexpr int kPeriod = 98304;
};

// The transport of one channel of worn tape or vinyl: a short delay line
// whose read point is moved by wow, flutter, random scratch jumps and the
// noise itself, and the noise, its filters and smoothers designed with the
// maths policy's functions. TapeShaping turns what it reads into the
// channel's output. The nominal delay, 1378 samples at 44.1 kHz, is the
// latency the engine reports.
template <class Maths>
class TapeChannel {
 public:
  static constexpr int kBrownLoopSize = BrownLoopSize::kSize;
  static constexpr int kBrownLoopPeriod = BrownLoopSize::kPeriod;

  TapeChannel() = default;
  TapeChannel(const TapeChannel&) = delete;
  TapeChannel& operator=(const TapeChannel&) = delete;

  void Init(int32_t startOffset);
  void Configure(TapeChannelSettings settings, double sampleRate);
  // Sizes the delay line for a new rate ahead of the first block at it, so
  // that the audio thread finds it ready; Configure does it otherwise.
  void PrepareSampleRate(double newRate);
  // Moves the tape on by one sample and reads the delayed sample and the
  // noise. linkPosition < 0: this is the left channel. Otherwise it is the
  // left channel's read position, which the right channel follows as "wide"
  // falls. wow and readFlutter are the transport's sines at this sample
  // (TransportSines).
  struct Tap {
    double delayed;
    double noise;
  };
  Tap Transport(double input, double linkPosition, double wow, double readFlutter);

  // Whether the filters, the transport and the newest sample in the line are
  // finite.
  bool StateIsFinite() const;
  // Empties the delay line and the filters' memories. Transport values that
  // are no longer finite start again as after Init; the settings and the
  // finite transport carry on.
  void ClearSignal();

  double ReadPosition() const { return readPosition; }
  // The input of `NominalDelay()` samples ago, as the latest Transport left
  // the line: what the channel outputs with the power off.
  double DryOutput() const;
  // The tube drive as the latest Transport left it, for the shaping.
  float TubeLevel() const { return tubeSmoother.Value(); }
  // The filter that shaped the brown noise's loops, whose memory the DC
  // blocker of the shaping carries on from.
  const Biquad& BrownNoiseShaper() const { return brownShaper; }

  double NoisePosition() const { return noisePosition; }
  void SetNoisePosition(double position);
  double SampleRate() const { return sampleRate; }
  int32_t DelayLength() const { return delayLength; }
  double NominalDelay() const { return nominalDelay; }
  const GlideRamp& ScratchRamp() const { return scratchRamp; }
  double ScratchCountdown() const { return scratchCountdown; }
  const double* BrownLoop(bool louder) const { return louder ? brownLoopB : brownLoopA; }

 private:
  void FillBrownLoop(double* loop, float step);
  bool ResizeDelayLine(double newRate);
  void StepScratch();
  double WrapIntoLine(double position) const;
  double ReadDelayLine(double linkPosition) const;
  void WriteDelayLine(double x);
  double NoiseSample(double linkPosition);
  double ReadBank(bool rightSide);
  int64_t WrapNoiseIndex(int64_t length);
  void UpdateReadPosition(double noise, double wow, double readFlutter);

  double brownLoopA[kBrownLoopSize];
  double brownLoopB[kBrownLoopSize];

  std::unique_ptr<double[]> delayLine;
  int32_t delayLength = 0;
  double writeIndex = 0.0;  // whole numbers only
  double nominalDelay = 0.0;
  double readPosition = 0.0;

  double scratchCountdown = 0.0;
  GlideRamp scratchRamp;

  double noisePosition = 0.0;
  int64_t noiseIndex = 0;  // 64 bits: the position grows for as long as audio runs
  double noiseIncrement = 1.0;
  // noiseIndex wrapped into a bank of length wrappedLength, as last computed.
  int64_t wrappedFrom = 0;
  int64_t wrappedLength = 0;
  int64_t wrappedIndex = 0;

  OnePoleSmoother<Maths> wowDepthSmoother;
  OnePoleSmoother<Maths> scratchDepthSmoother;
  OnePoleSmoother<Maths> linkSmoother;
  OnePoleSmoother<Maths> tubeSmoother;
  double wowDepthTarget = 0.0;
  double scratchDepthTarget = 0.0;
  double linkTarget = 0.0;
  double tubeTarget = 0.0;

  int32_t profile = 0;
  int32_t noiseType = 0;
  double noiseDynamic = 0.0;
  // Per-block factors of the settings above, as the sample steps use them.
  double noiseDepth = 0.0;
  double sampleRate = 44100.0;
  double invSampleRate = 1.0 / 44100.0;

  Biquad noiseFilter;
  Biquad brownShaper;
};
