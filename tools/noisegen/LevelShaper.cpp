#include "LevelShaper.h"

#include <cmath>
#include <numbers>

namespace {

size_t PeakIndexAwayFromSeam(const std::vector<double>& signal, size_t seamGuard) {
  size_t best = seamGuard;
  for (size_t i = seamGuard; i + seamGuard < signal.size(); ++i) {
    if (std::abs(signal[i]) > std::abs(signal[best])) best = i;
  }
  return best;
}

}  // namespace

double LevelShaper::Rms(const std::vector<double>& signal) {
  double sum = 0.0;
  for (double x : signal) sum += x * x;
  return std::sqrt(sum / static_cast<double>(signal.size()));
}

double LevelShaper::Peak(const std::vector<double>& signal) {
  return std::abs(signal[PeakIndex(signal)]);
}

size_t LevelShaper::PeakIndex(const std::vector<double>& signal) {
  size_t best = 0;
  for (size_t i = 1; i < signal.size(); ++i) {
    if (std::abs(signal[i]) > std::abs(signal[best])) best = i;
  }
  return best;
}

void LevelShaper::Scale(std::vector<double>& signal, double gain) {
  for (double& x : signal) x *= gain;
}

void LevelShaper::FitHiss(std::vector<double>& signal, double rms, double peak, size_t seamGuard) {
  for (int pass = 0; pass < 4; ++pass) {
    Scale(signal, rms / Rms(signal));
    const double current = Peak(signal);
    if (current > peak) {
      SoftLimit(signal, peak);
    } else if (current < peak) {
      Swell(signal, peak, seamGuard);
    }
  }
  Scale(signal, rms / Rms(signal));
}

// Above the knee k, the excess r maps to r / (1 + r / c), which keeps slope 1
// at the knee and lands the current peak exactly on the target.
void LevelShaper::SoftLimit(std::vector<double>& signal, double target) {
  const double knee = target * 0.8;
  const double excess = Peak(signal) - knee;
  const double room = target - knee;
  const double c = excess * room / (excess - room);
  for (double& x : signal) {
    const double magnitude = std::abs(x);
    if (magnitude <= knee) continue;
    const double r = magnitude - knee;
    x = std::copysign(knee + r / (1.0 + r / c), x);
  }
}

void LevelShaper::Swell(std::vector<double>& signal, double target, size_t seamGuard) {
  const size_t centre = PeakIndexAwayFromSeam(signal, seamGuard);
  const double lift = target / std::abs(signal[centre]) - 1.0;
  constexpr int kHalfWidth = 132;  // 3 ms: far too slow to click
  for (int k = -kHalfWidth; k <= kHalfWidth; ++k) {
    const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * k / kHalfWidth);
    signal[centre + k] *= 1.0 + lift * window;
  }
}
