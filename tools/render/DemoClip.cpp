#include "tools/render/DemoClip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kBeat = 0.5;  // seconds at 120 bpm

double Midi(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

}  // namespace

DemoClip::DemoClip(double rate, double seconds) : sampleRate(rate) {
  const auto count = static_cast<int64_t>(std::llround(std::max(0.0, seconds) * rate));
  frames.assign(static_cast<size_t>(count) * 2, 0.0);

  // A melody of eighth notes in A minor over the first bars.
  const int melody[] = {69, 72, 76, 74, 72, 71, 69, 64, 65, 69, 72, 71, 69, 67, 69, 76};
  for (int i = 0; i < 16; ++i) {
    const double pan = (i % 4) / 3.0 - 0.5;
    AddTone(i * kBeat / 2.0, Midi(melody[i]), 0.9, 0.22, pan);
  }
  // Kick on every beat, hi-hat on every off-beat eighth.
  for (double t = 0.0; t < seconds; t += kBeat) {
    AddKick(t);
    AddHat(t + kBeat / 2.0, 0.12);
  }
  // The closing chord, spread across the stereo field.
  const int chord[] = {57, 64, 69, 72, 76};
  for (int i = 0; i < 5; ++i) AddTone(4.0, Midi(chord[i]), 2.0, 0.12, i / 4.0 - 0.5);
}

void DemoClip::AddTone(double start, double frequency, double seconds, double level, double pan) {
  const auto first = static_cast<int64_t>(std::llround(start * sampleRate));
  const auto length = static_cast<int64_t>(std::llround(seconds * sampleRate));
  const double left = level * std::sqrt(0.5 - pan / 2.0);
  const double right = level * std::sqrt(0.5 + pan / 2.0);
  for (int64_t n = 0; n < length; ++n) {
    const double t = n / sampleRate;
    const double phase = 2.0 * std::numbers::pi * frequency * t;
    // Higher harmonics die away faster, as on a plucked string.
    double v = 0.0;
    for (int h = 1; h <= 4; ++h) v += std::sin(phase * h) * std::exp(-t * 3.0 * h) / h;
    const double attack = std::min(1.0, t * 200.0);
    AddSample(first + n, v * attack * left, v * attack * right);
  }
}

void DemoClip::AddKick(double start) {
  const auto first = static_cast<int64_t>(std::llround(start * sampleRate));
  const auto length = static_cast<int64_t>(std::llround(0.3 * sampleRate));
  double phase = 0.0;
  for (int64_t n = 0; n < length; ++n) {
    const double t = n / sampleRate;
    const double frequency = 50.0 + 100.0 * std::exp(-t * 30.0);
    phase += 2.0 * std::numbers::pi * frequency / sampleRate;
    const double v = 0.5 * std::sin(phase) * std::exp(-t * 12.0);
    AddSample(first + n, v, v);
  }
}

void DemoClip::AddHat(double start, double level) {
  const auto first = static_cast<int64_t>(std::llround(start * sampleRate));
  const auto length = static_cast<int64_t>(std::llround(0.08 * sampleRate));
  double previous = 0.0;
  for (int64_t n = 0; n < length; ++n) {
    const double noise = NextNoise();
    // A first difference keeps the burst bright.
    const double v = level * (noise - previous) * std::exp(-n / sampleRate * 60.0);
    previous = noise;
    AddSample(first + n, v * 0.8, v);
  }
}

void DemoClip::AddSample(int64_t frame, double left, double right) {
  if (frame < 0 || frame >= FrameCount()) return;
  frames[static_cast<size_t>(frame) * 2] += left;
  frames[static_cast<size_t>(frame) * 2 + 1] += right;
}

double DemoClip::NextNoise() {
  // Our own generator, so the clip is identical everywhere.
  noiseState = noiseState * 1664525u + 1013904223u;
  return static_cast<double>(noiseState >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
}
