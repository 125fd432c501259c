#include "ClickShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "LevelShaper.h"
#include "ToneFilter.h"

namespace {

constexpr double kSampleRate = 44100.0;

std::vector<double> Shape(const std::vector<double>& burst, size_t length,
                          std::vector<ToneFilter> chain) {
  std::vector<double> out(length, 0.0);
  for (size_t i = 0; i < burst.size() && i < length; ++i) out[i] = burst[i];
  for (ToneFilter& filter : chain) {
    for (double& x : out) x = filter.Process(x);
  }
  LevelShaper::Scale(out, 1.0 / LevelShaper::Peak(out));
  return out;
}

}  // namespace

std::vector<double> ClickShape::Burst(NoiseRandom& random, int length) {
  const double polarity = random.NextUniform() < 0.5 ? -1.0 : 1.0;
  std::vector<double> burst(length);
  for (double& x : burst) x = polarity * random.NextRange(0.3, 1.0);
  return burst;
}

std::vector<double> ClickShape::Tick(const std::vector<double>& burst, double resonanceHz,
                                     double q) {
  return Shape(burst, 512, {ToneFilter::Lowpass(resonanceHz, q), ToneFilter::Highpass(300.0, 0.7)});
}

std::vector<double> ClickShape::Pop(const std::vector<double>& burst, double cornerHz,
                                    double resonanceHz) {
  std::vector<double> body =
      Shape(burst, 2048, {ToneFilter::Lowpass(cornerHz, 0.9), ToneFilter::Highpass(80.0, 0.7)});
  const std::vector<double> onset = Tick({burst[0]}, resonanceHz, 1.5);
  for (size_t i = 0; i < onset.size(); ++i) body[i] += 0.5 * onset[i];
  LevelShaper::Scale(body, 1.0 / LevelShaper::Peak(body));
  return body;
}

std::vector<double> ClickShape::Thump(NoiseRandom& random) {
  constexpr size_t kLength = 8820;  // 200 ms
  const int burstLength = static_cast<int>(random.NextRange(9.0, 88.0));
  std::vector<double> out(kLength, 0.0);
  const std::vector<double> burst = Burst(random, burstLength);
  for (int i = 0; i < burstLength; ++i) out[i] = 0.6 * burst[i];
  double phase = 0.0;
  for (size_t i = 0; i < kLength; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = 20.0 + 40.0 * std::exp(-t / 0.04);
    phase += 2.0 * std::numbers::pi * hz / kSampleRate;
    const double attack = 1.0 - std::exp(-t / 0.002);
    const double fadeOut = std::min(1.0, static_cast<double>(kLength - i) / 882.0);
    out[i] += attack * fadeOut * std::exp(-t / 0.05) * std::sin(phase);
  }
  LevelShaper::Scale(out, 1.0 / LevelShaper::Peak(out));
  return out;
}
