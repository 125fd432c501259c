#include "dsp/ModDelayPair.h"

#include <cmath>

ModDelayPair::State ModDelayPair::Load() const {
  State s;
  s.length = Halves(a, b, &ModDelay::length);
  s.longest = DoublePair{a.LongestDelay(), b.LongestDelay()};
  s.delay = Halves(a, b, &ModDelay::delay);
  s.readPosition = Halves(a, b, &ModDelay::readPosition);
  s.feedback = Halves(a, b, &ModDelay::feedback);
  s.lfo = Halves(a, b, &ModDelay::lfo);
  s.lfoDirection = Halves(a, b, &ModDelay::lfoDirection);
  s.lfoRate = Halves(a, b, &ModDelay::lfoRate);
  s.lfoDepth = Halves(a, b, &ModDelay::lfoDepth);
  s.writeA = a.writeIndex;
  s.writeB = b.writeIndex;
  return s;
}

void ModDelayPair::Store(const State& s) {
  StoreHalves(s.delay, a, b, &ModDelay::delay);
  StoreHalves(s.readPosition, a, b, &ModDelay::readPosition);
  StoreHalves(s.lfo, a, b, &ModDelay::lfo);
  StoreHalves(s.lfoDirection, a, b, &ModDelay::lfoDirection);
  a.writeIndex = s.writeA;
  b.writeIndex = s.writeB;
}

[[gnu::always_inline]] inline DoublePair ModDelayPair::Step(State& s, DoublePair x,
                                                            DoublePair gain) {
  s.delay = Select(s.delay >= s.length, s.length, s.delay);
  s.delay = Select(s.delay > s.longest, s.longest, s.delay);

  const int32_t readA = static_cast<int32_t>(s.readPosition[0]);
  const int32_t readB = static_cast<int32_t>(s.readPosition[1]);
  const DoublePair f =
      s.readPosition - DoublePair{static_cast<double>(readA), static_cast<double>(readB)};
  const DoublePair now{a.buffer[readA], b.buffer[readB]};
  const DoublePair next{a.buffer[Following(readA, a)], b.buffer[Following(readB, b)]};
  const DoublePair y = (1.0 - f) * now + f * next;

  const DoublePair written = x - s.feedback * y;
  a.buffer[s.writeA] = written[0];
  b.buffer[s.writeB] = written[1];
  const bool gliding = a.delayRamp.IsRunning() || b.delayRamp.IsRunning();
  if (gliding) {
    Dip(a, s.writeA);
    Dip(b, s.writeB);
  }
  Advance(s.writeA, a);
  Advance(s.writeB, b);

  const DoublePair stretched = s.lfo * s.delay;
  const DoublePair span = Select(s.length < stretched, s.length, stretched);
  DoublePair r = DoublePair{static_cast<double>(s.writeA), static_cast<double>(s.writeB)} - span;
  r = Select(r < 0.0, r + s.length, r);
  r = Select(r >= s.length, r - s.length, r);
  s.readPosition = Select((r >= 0.0) & (r < s.length), r, BothHalves(0.0));

  if (gliding) s.delay = DoublePair{Glide(a, s.delay[0]), Glide(b, s.delay[1])};
  AdvanceLfo(s);
  return y * gain;
}

[[gnu::always_inline]] inline void ModDelayPair::AdvanceLfo(State& s) {
  s.lfo += s.lfoDirection * s.lfoRate;
  const PairMask top = s.lfo >= 1.0 + s.lfoDepth;
  const PairMask bottom = ~top & (s.lfo <= 1.0 - s.lfoDepth);
  s.lfo = Select(top, 1.0 + s.lfoDepth, Select(bottom, 1.0 - s.lfoDepth, s.lfo));
  s.lfoDirection = Select(top | bottom, -s.lfoDirection, s.lfoDirection);
}

void ModDelayPair::Run(const DoublePair* x, const DoublePair* gain, DoublePair* y, int frames) {
  State s = Load();
  for (int i = 0; i < frames; ++i) y[i] = Step(s, x[i], gain[i]);
  Store(s);
}

// The level dip that masks a glide's pitch bend, on the sample just written.
void ModDelayPair::Dip(ModDelay& line, int32_t writeIndex) {
  const GlideRamp& ramp = line.delayRamp;
  if (!ramp.IsRunning()) return;
  line.buffer[writeIndex] *= std::abs(ramp.elapsed - ramp.duration / 2.0) * ramp.invDuration + 0.5;
}

// The delay after this sample's step of the line's glide.
double ModDelayPair::Glide(ModDelay& line, double delay) {
  if (!line.delayRamp.IsRunning()) return delay;
  line.delayRamp.Step(1.0);
  return line.delayRamp.value;
}
