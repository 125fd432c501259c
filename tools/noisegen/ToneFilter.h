#pragma once
#include <vector>

// A double-precision biquad for shaping noise at 44.1 kHz. Corners are in Hz.
class ToneFilter {
 public:
  static ToneFilter Lowpass(double hz, double q);
  static ToneFilter Highpass(double hz, double q);
  static ToneFilter Bandpass(double hz, double q);
  // First-order pole at poleHz, with a zero at zeroHz (0: no zero, a plain
  // low-pass). Unity gain at DC. Playback equalisation curves are built from these.
  static ToneFilter PoleZero(double poleHz, double zeroHz);

  double Process(double x);
  void Reset();

 private:
  ToneFilter(double b0, double b1, double b2, double a1, double a2);

  double b0, b1, b2, a1, a2;
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

// Runs the chain over the signal twice and keeps the second pass, so the
// output wraps around seamlessly: the filters enter the table already in the
// state that its end leaves them in.
void FilterCircular(std::vector<ToneFilter> chain, std::vector<double>& signal);
