#include "ToneFilter.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kSampleRate = 44100.0;

double Omega(double hz) { return 2.0 * std::numbers::pi * hz / kSampleRate; }

}  // namespace

ToneFilter::ToneFilter(double b0, double b1, double b2, double a1, double a2)
    : b0(b0), b1(b1), b2(b2), a1(a1), a2(a2) {}

ToneFilter ToneFilter::Lowpass(double hz, double q) {
  const double w = Omega(hz);
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  const double a0 = 1.0 + alpha;
  return ToneFilter((1.0 - c) / 2.0 / a0, (1.0 - c) / a0, (1.0 - c) / 2.0 / a0, -2.0 * c / a0,
                    (1.0 - alpha) / a0);
}

ToneFilter ToneFilter::Highpass(double hz, double q) {
  const double w = Omega(hz);
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  const double a0 = 1.0 + alpha;
  return ToneFilter((1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
                    (1.0 - alpha) / a0);
}

ToneFilter ToneFilter::Bandpass(double hz, double q) {
  const double w = Omega(hz);
  const double alpha = std::sin(w) / (2.0 * q);
  const double c = std::cos(w);
  const double a0 = 1.0 + alpha;
  return ToneFilter(alpha / a0, 0.0, -alpha / a0, -2.0 * c / a0, (1.0 - alpha) / a0);
}

ToneFilter ToneFilter::PoleZero(double poleHz, double zeroHz) {
  // Bilinear transform with each corner pre-warped.
  const double p = 1.0 / std::tan(Omega(poleHz) / 2.0);
  const double a0 = 1.0 + p;
  const double a1 = 1.0 - p;
  if (zeroHz <= 0.0) return ToneFilter(1.0 / a0, 1.0 / a0, 0.0, a1 / a0, 0.0);
  const double z = 1.0 / std::tan(Omega(zeroHz) / 2.0);
  return ToneFilter((1.0 + z) / a0, (1.0 - z) / a0, 0.0, a1 / a0, 0.0);
}

double ToneFilter::Process(double x) {
  const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return y;
}

void ToneFilter::Reset() { x1 = x2 = y1 = y2 = 0.0; }

void FilterCircular(std::vector<ToneFilter> chain, std::vector<double>& signal) {
  for (ToneFilter& filter : chain) {
    filter.Reset();
    for (double x : signal) filter.Process(x);
    for (double& x : signal) x = filter.Process(x);
  }
}
