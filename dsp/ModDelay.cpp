#include "dsp/ModDelay.h"

#include <algorithm>
#include <cmath>

ModDelay::ModDelay() { Init(); }

void ModDelay::Init() {
  std::fill(buffer, buffer + kLength, 0.0);
  length = kLength;
  writeIndex = 0;
  lfoDirection = 1.0;
  readPosition = 0.0;
  delayRamp = GlideRamp();
  sampleRate = 44100.0;
  delay = 220.0;
  feedback = 0.0;
  gain = 0.5;
  lfoRate = 0.125 / 44100.0;
  lfoDepth = 0.25;
  lfo = 1.0;
}

bool ModDelay::StateIsFinite() const {
  const int32_t newest = writeIndex == 0 ? length - 1 : writeIndex - 1;
  return std::isfinite(readPosition + lfo + delay + buffer[newest]) && delayRamp.IsFinite();
}

void ModDelay::ClearSignal() {
  std::fill(buffer, buffer + kLength, 0.0);
  if (!std::isfinite(lfo)) {
    lfo = 1.0;
    lfoDirection = 1.0;
  }
  if (!std::isfinite(delay)) delay = std::isfinite(delayRamp.target) ? delayRamp.target : 220.0;
  if (!delayRamp.IsFinite()) {
    delayRamp = GlideRamp();
    delayRamp.value = delayRamp.target = delay;
  }
  if (!(readPosition >= 0.0 && readPosition < length)) readPosition = 0.0;
}

// The read point must stay inside the buffer at the LFO's longest stretch,
// which long delays at high sample rates would otherwise exceed.
[[gnu::always_inline]] inline void ModDelay::LimitDelay() {
  if (delay >= length) delay = length;
  const double limit = LongestDelay();
  if (delay > limit) delay = limit;
}

[[gnu::always_inline]] inline void ModDelay::AdvanceLfo() {
  lfo += lfoDirection * lfoRate;
  if (lfo >= 1.0 + lfoDepth) {
    lfo = 1.0 + lfoDepth;
    lfoDirection = -lfoDirection;
  } else if (lfo <= 1.0 - lfoDepth) {
    lfo = 1.0 - lfoDepth;
    lfoDirection = -lfoDirection;
  }
}

double ModDelay::Process(double x) {
  LimitDelay();

  const int32_t i = static_cast<int32_t>(readPosition);
  const double f = readPosition - i;
  const int32_t next = i + 1 == length ? 0 : i + 1;
  const double y = (1.0 - f) * buffer[i] + f * buffer[next];

  buffer[writeIndex] = x - feedback * y;
  if (delayRamp.IsRunning()) {
    const double dip =
        std::abs(delayRamp.elapsed - delayRamp.duration / 2.0) * delayRamp.invDuration + 0.5;
    buffer[writeIndex] *= dip;
  }
  if (++writeIndex >= length) writeIndex -= length;

  // lfo can exceed 1 + lfoDepth for one sample when the owner lowers the depth.
  const double span = std::min(lfo * delay, static_cast<double>(length));
  readPosition = writeIndex - span;
  if (readPosition < 0.0) readPosition += length;
  if (readPosition >= length) readPosition -= length;
  // A delay time gone non-finite must not become an index outside the line.
  if (!(readPosition >= 0.0 && readPosition < length)) readPosition = 0.0;

  if (delayRamp.IsRunning()) {
    delayRamp.Step(1.0);
    delay = delayRamp.value;
  }
  AdvanceLfo();
  return y * gain;
}
