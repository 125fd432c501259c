#include "dsp/ModDelay.h"

#include <algorithm>
#include <cmath>

// What a run carries in registers, and hands back at its end.
template <class Sample>
struct ModDelay<Sample>::State {
  Sample delay, readPosition, lfo, lfoDirection;
  // The longest delay the LFO's stretch leaves inside the buffer.
  Sample longest;
  int32_t writeIndex;
};

template <class Sample>
ModDelay<Sample>::ModDelay() {
  std::fill(&buffer[0][0], &buffer[0][0] + kLanes * kLength, 0.0);
}

template <class Sample>
void ModDelay<Sample>::GlideTo(int lane, double target) {
  GlideRamp& ramp = delayRamp[lane];
  if (Lane(delay, lane) != target && ramp.target != target) {
    ramp.Start(ramp.value, target, sampleRate * 0.25, 0.0);
  }
}

template <class Sample>
bool ModDelay<Sample>::StateIsFinite() const {
  const int32_t newest = writeIndex == 0 ? kLength - 1 : writeIndex - 1;
  for (int lane = 0; lane < kLanes; ++lane) {
    const double sum = Lane(readPosition, lane) + Lane(lfo, lane) + Lane(delay, lane) +
                       buffer[lane][newest];
    if (!std::isfinite(sum) || !delayRamp[lane].IsFinite()) return false;
  }
  return true;
}

template <class Sample>
void ModDelay<Sample>::ClearSignal() {
  std::fill(&buffer[0][0], &buffer[0][0] + kLanes * kLength, 0.0);
  double lanes[4][kMostLanes];
  for (int lane = 0; lane < kLanes; ++lane) {
    double l = Lane(lfo, lane), direction = Lane(lfoDirection, lane);
    double d = Lane(delay, lane), r = Lane(readPosition, lane);
    GlideRamp& ramp = delayRamp[lane];
    if (!std::isfinite(l)) {
      l = 1.0;
      direction = 1.0;
    }
    if (!std::isfinite(d)) d = std::isfinite(ramp.target) ? ramp.target : 220.0;
    if (!ramp.IsFinite()) {
      ramp = GlideRamp();
      ramp.value = ramp.target = d;
    }
    if (!(r >= 0.0 && r < kLength)) r = 0.0;
    lanes[0][lane] = l;
    lanes[1][lane] = direction;
    lanes[2][lane] = d;
    lanes[3][lane] = r;
  }
  lfo = FromLanes<Sample>(lanes[0]);
  lfoDirection = FromLanes<Sample>(lanes[1]);
  delay = FromLanes<Sample>(lanes[2]);
  readPosition = FromLanes<Sample>(lanes[3]);
}

template <class Sample>
bool ModDelay<Sample>::Gliding() const {
  for (const GlideRamp& ramp : delayRamp) {
    if (ramp.IsRunning()) return true;
  }
  return false;
}

// The level dip that masks a glide's pitch bend, on the sample just written.
template <class Sample>
void ModDelay<Sample>::Dip(int32_t written) {
  for (int lane = 0; lane < kLanes; ++lane) {
    const GlideRamp& ramp = delayRamp[lane];
    if (!ramp.IsRunning()) continue;
    buffer[lane][written] *=
        std::abs(ramp.elapsed - ramp.duration / 2.0) * ramp.invDuration + 0.5;
  }
}

// The delay after this sample's step of each lane's glide.
template <class Sample>
Sample ModDelay<Sample>::Glide(Sample current) {
  double next[kLanes];
  for (int lane = 0; lane < kLanes; ++lane) {
    GlideRamp& ramp = delayRamp[lane];
    next[lane] = Lane(current, lane);
    if (!ramp.IsRunning()) continue;
    ramp.Step(1.0);
    next[lane] = ramp.value;
  }
  return FromLanes<Sample>(next);
}

template <class Sample>
[[gnu::always_inline]] inline void ModDelay<Sample>::AdvanceLfo(State& s) const {
  s.lfo += s.lfoDirection * lfoRate;
  const auto top = s.lfo >= 1.0 + lfoDepth;
  const auto bottom = AndNot(s.lfo <= 1.0 - lfoDepth, top);
  s.lfo = Select(top, 1.0 + lfoDepth, Select(bottom, 1.0 - lfoDepth, s.lfo));
  s.lfoDirection = Select(top | bottom, -s.lfoDirection, s.lfoDirection);
}

template <class Sample>
[[gnu::always_inline]] inline Sample ModDelay<Sample>::Step(State& s, Sample x, Sample gain) {
  const Sample length = Broadcast<Sample>(kLength);
  s.delay = Select(s.delay >= length, length, s.delay);
  s.delay = Select(s.delay > s.longest, s.longest, s.delay);

  double whole[kLanes], now[kLanes], next[kLanes];
  for (int lane = 0; lane < kLanes; ++lane) {
    const int32_t i = static_cast<int32_t>(Lane(s.readPosition, lane));
    whole[lane] = i;
    now[lane] = buffer[lane][i];
    next[lane] = buffer[lane][i + 1 == kLength ? 0 : i + 1];
  }
  const Sample f = s.readPosition - FromLanes<Sample>(whole);
  const Sample y = (1.0 - f) * FromLanes<Sample>(now) + f * FromLanes<Sample>(next);

  const Sample written = x - feedback * y;
  for (int lane = 0; lane < kLanes; ++lane) buffer[lane][s.writeIndex] = Lane(written, lane);
  const bool gliding = Gliding();
  if (gliding) Dip(s.writeIndex);
  if (++s.writeIndex >= kLength) s.writeIndex -= kLength;

  // lfo can exceed 1 + lfoDepth for one sample when the owner lowers the depth.
  const Sample stretched = s.lfo * s.delay;
  const Sample span = Select(length < stretched, length, stretched);
  Sample r = static_cast<double>(s.writeIndex) - span;
  r = Select(r < 0.0, r + length, r);
  r = Select(r >= length, r - length, r);
  // A delay time gone non-finite must not become an index outside the line.
  s.readPosition = Select((r >= 0.0) & (r < length), r, Broadcast<Sample>(0.0));

  if (gliding) s.delay = Glide(s.delay);
  AdvanceLfo(s);
  return y * gain;
}

template <class Sample>
void ModDelay<Sample>::Run(const Sample* x, const Sample* gain, Sample* y, int frames) {
  State s{delay, readPosition, lfo, lfoDirection, Broadcast<Sample>(kLength) / (1.0 + lfoDepth),
          writeIndex};
  for (int i = 0; i < frames; ++i) y[i] = Step(s, x[i], gain[i]);
  delay = s.delay;
  readPosition = s.readPosition;
  lfo = s.lfo;
  lfoDirection = s.lfoDirection;
  writeIndex = s.writeIndex;
}

template <class Sample>
Sample ModDelay<Sample>::Process(Sample x, Sample gain) {
  Sample y;
  Run(&x, &gain, &y, 1);
  return y;
}

template class ModDelay<double>;
template class ModDelay<DoublePair>;
