#pragma once
#include <cstddef>
#include <vector>

// Brings a table to an exact RMS and peak level (linear full-scale units).
class LevelShaper {
 public:
  static double Rms(const std::vector<double>& signal);
  static double Peak(const std::vector<double>& signal);
  // Index of the largest magnitude.
  static size_t PeakIndex(const std::vector<double>& signal);
  static void Scale(std::vector<double>& signal, double gain);

  // Tape hiss: RMS set by one gain; a peak too high is softened on the few
  // samples above a knee, a peak too low is raised by a smooth few-millisecond
  // swell around the largest sample that lies at least `seamGuard` samples
  // from either end of the table. Both keep the waveform free of steps.
  static void FitHiss(std::vector<double>& signal, double rms, double peak, size_t seamGuard);

 private:
  static void SoftLimit(std::vector<double>& signal, double target);
  static void Swell(std::vector<double>& signal, double target, size_t seamGuard);
};
