#include "dsp/ModDelayPair.h"

#include <cmath>

ModDelayPair::ModDelayPair(ModDelay& first, ModDelay& second) : a(first), b(second) {
  length = Halves(a, b, &ModDelay::length);
  longest = DoublePair{a.LongestDelay(), b.LongestDelay()};
  delay = Halves(a, b, &ModDelay::delay);
  readPosition = Halves(a, b, &ModDelay::readPosition);
  feedback = Halves(a, b, &ModDelay::feedback);
  lfo = Halves(a, b, &ModDelay::lfo);
  lfoDirection = Halves(a, b, &ModDelay::lfoDirection);
  lfoRate = Halves(a, b, &ModDelay::lfoRate);
  lfoDepth = Halves(a, b, &ModDelay::lfoDepth);
}

void ModDelayPair::Store() {
  StoreHalves(delay, a, b, &ModDelay::delay);
  StoreHalves(readPosition, a, b, &ModDelay::readPosition);
  StoreHalves(lfo, a, b, &ModDelay::lfo);
  StoreHalves(lfoDirection, a, b, &ModDelay::lfoDirection);
}

// The level dip that masks a glide's pitch bend, on the sample just written.
void ModDelayPair::Dip(ModDelay& line) {
  const GlideRamp& ramp = line.delayRamp;
  if (!ramp.IsRunning()) return;
  line.buffer[line.writeIndex] *=
      std::abs(ramp.elapsed - ramp.duration / 2.0) * ramp.invDuration + 0.5;
}

void ModDelayPair::Glide(ModDelay& line, int half) {
  if (!line.delayRamp.IsRunning()) return;
  line.delayRamp.Step(1.0);
  delay[half] = line.delayRamp.value;
}
