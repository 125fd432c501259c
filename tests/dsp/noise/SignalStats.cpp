#include "SignalStats.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSampleRate = 44100.0;

// In-place radix-2 transform on split real and imaginary parts.
void Fft(std::vector<double>& re, std::vector<double>& im) {
  const size_t n = re.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) {
      std::swap(re[i], re[j]);
      std::swap(im[i], im[j]);
    }
  }
  std::vector<double> cosine(n / 2), sine(n / 2);
  for (size_t k = 0; k < n / 2; ++k) {
    cosine[k] = std::cos(2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n));
    sine[k] = -std::sin(2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n));
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const size_t half = len / 2, stride = n / len;
    for (size_t i = 0; i < n; i += len) {
      for (size_t k = 0; k < half; ++k) {
        const double wr = cosine[k * stride], wi = sine[k * stride];
        const size_t a = i + k, b = a + half;
        const double vr = re[b] * wr - im[b] * wi;
        const double vi = re[b] * wi + im[b] * wr;
        re[b] = re[a] - vr;
        im[b] = im[a] - vi;
        re[a] += vr;
        im[a] += vi;
      }
    }
  }
}

double Median(std::vector<double> values) {
  const size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
  return values[middle];
}

// RBJ high-pass at 2 kHz, Q 0.707.
std::vector<double> HighPass2k(SignalStats::Samples x) {
  const double w = 2.0 * std::numbers::pi * 2000.0 / kSampleRate;
  const double alpha = std::sin(w) / (2.0 * 0.707);
  const double c = std::cos(w);
  const double a0 = 1.0 + alpha;
  const double b0 = (1.0 + c) / 2.0 / a0, b1 = -(1.0 + c) / a0, b2 = b0;
  const double a1 = -2.0 * c / a0, a2 = (1.0 - alpha) / a0;
  std::vector<double> y(x.size());
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    y[i] = b0 * x[i] + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x[i];
    y2 = y1;
    y1 = y[i];
  }
  return y;
}

}  // namespace

double SignalStats::Mean(Samples x) {
  double sum = 0.0;
  for (float v : x) sum += v;
  return sum / static_cast<double>(x.size());
}

double SignalStats::Rms(Samples x) {
  double sum = 0.0;
  for (float v : x) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(x.size()));
}

double SignalStats::Peak(Samples x) {
  double peak = 0.0;
  for (float v : x) peak = std::max(peak, std::abs(static_cast<double>(v)));
  return peak;
}

double SignalStats::Kurtosis(Samples x) {
  const double mean = Mean(x);
  double m2 = 0.0, m4 = 0.0;
  for (float v : x) {
    const double d = v - mean;
    m2 += d * d;
    m4 += d * d * d * d;
  }
  const double n = static_cast<double>(x.size());
  return (m4 / n) / ((m2 / n) * (m2 / n));
}

double SignalStats::Correlation(Samples a, Samples b) {
  const double meanA = Mean(a), meanB = Mean(b);
  double ab = 0.0, aa = 0.0, bb = 0.0;
  for (size_t i = 0; i < a.size(); ++i) {
    const double da = a[i] - meanA, db = b[i] - meanB;
    ab += da * db;
    aa += da * da;
    bb += db * db;
  }
  return ab / std::sqrt(aa * bb);
}

double SignalStats::ToDb(double linear) { return 20.0 * std::log10(linear); }

std::vector<double> SignalStats::OctaveBandsDb(Samples x, const std::vector<double>& centresHz) {
  constexpr size_t kFrame = 8192;
  constexpr size_t kMaxFrames = 64;
  // Half-overlapping frames, thinned out evenly on long tables.
  const size_t available = (x.size() - kFrame) / (kFrame / 2) + 1;
  const size_t frames = std::min(available, kMaxFrames);
  std::vector<std::vector<double>> binPowers(kFrame / 2 + 1, std::vector<double>(frames));
  std::vector<double> re(kFrame), im(kFrame);
  for (size_t f = 0; f < frames; ++f) {
    const size_t start = f * (available / frames) * (kFrame / 2);
    for (size_t i = 0; i < kFrame; ++i) {
      const double hann =
          0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / kFrame);
      re[i] = hann * x[start + i];
      im[i] = 0.0;
    }
    Fft(re, im);
    for (size_t k = 0; k <= kFrame / 2; ++k) binPowers[k][f] = re[k] * re[k] + im[k] * im[k];
  }
  std::vector<double> medians(binPowers.size());
  for (size_t k = 0; k < medians.size(); ++k) medians[k] = Median(binPowers[k]);

  std::vector<double> bands;
  const double binHz = kSampleRate / kFrame;
  for (double centre : centresHz) {
    const double low = centre / std::numbers::sqrt2, high = centre * std::numbers::sqrt2;
    double power = 0.0;
    for (size_t k = 1; k < medians.size(); ++k) {
      const double hz = static_cast<double>(k) * binHz;
      if (hz >= low && hz < high) power += medians[k];
    }
    bands.push_back(10.0 * std::log10(power));
  }
  return bands;
}

std::vector<long> SignalStats::DetectClicks(Samples x) {
  const std::vector<double> high = HighPass2k(x);
  std::vector<double> magnitudes(high.size());
  for (size_t i = 0; i < high.size(); ++i) magnitudes[i] = std::abs(high[i]);
  const double threshold = 6.0 * 1.4826 * Median(magnitudes);
  constexpr long kRefractory = 88;  // 2 ms
  std::vector<long> onsets;
  for (long i = 0; i < static_cast<long>(high.size()); ++i) {
    if (magnitudes[i] > threshold && (onsets.empty() || i - onsets.back() >= kRefractory)) {
      onsets.push_back(i);
    }
  }
  return onsets;
}

double SignalStats::StepQuantile(Samples x, double q) {
  std::vector<double> steps(x.size() - 1);
  for (size_t i = 0; i + 1 < x.size(); ++i)
    steps[i] = std::abs(static_cast<double>(x[i + 1]) - x[i]);
  const size_t rank = static_cast<size_t>(q * static_cast<double>(steps.size() - 1));
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(rank), steps.end());
  return steps[rank];
}
