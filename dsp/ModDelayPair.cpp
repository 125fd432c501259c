#include "dsp/ModDelayPair.h"

#include <cmath>

ModDelayPair::ModDelayPair(ModDelay& first, ModDelay& second) : a(first), b(second) {
  length = DoublePair{static_cast<double>(a.length), static_cast<double>(b.length)};
  longest = DoublePair{a.LongestDelay(), b.LongestDelay()};
  delay = DoublePair{a.delay, b.delay};
  readPosition = DoublePair{a.readPosition, b.readPosition};
  feedback = DoublePair{a.feedback, b.feedback};
  lfo = DoublePair{a.lfo, b.lfo};
  lfoDirection = DoublePair{a.lfoDirection, b.lfoDirection};
  lfoRate = DoublePair{a.lfoRate, b.lfoRate};
  lfoDepth = DoublePair{a.lfoDepth, b.lfoDepth};
}

void ModDelayPair::Store() {
  ModDelay* const lines[2] = {&a, &b};
  for (int half = 0; half < 2; ++half) {
    lines[half]->delay = delay[half];
    lines[half]->readPosition = readPosition[half];
    lines[half]->lfo = lfo[half];
    lines[half]->lfoDirection = lfoDirection[half];
  }
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
