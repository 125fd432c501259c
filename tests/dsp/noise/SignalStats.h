#pragma once
#include <span>
#include <vector>

// Measurements of a noise table as a listener's meter would take them.
class SignalStats {
 public:
  using Samples = std::span<const float>;

  static double Mean(Samples x);
  static double Rms(Samples x);
  static double Peak(Samples x);
  static double Kurtosis(Samples x);
  static double Correlation(Samples a, Samples b);
  static double ToDb(double linear);

  // Power in each octave band around `centresHz`, in dB: a Welch estimate
  // (8192-point Hann frames, up to 64 of them spread over the table) taking
  // the median over frames per bin, so that clicks do not colour the picture
  // of the steady noise.
  static std::vector<double> OctaveBandsDb(Samples x, const std::vector<double>& centresHz);

  // Click onsets: above 2 kHz, samples beyond 6 robust sigmas
  // (1.4826 x median magnitude), at least 2 ms apart.
  static std::vector<long> DetectClicks(Samples x);

  // Largest step between neighbours at quantile q (0..1) of all steps.
  static double StepQuantile(Samples x, double q);
};
