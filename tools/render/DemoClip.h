#pragma once
#include <cstdint>
#include <vector>

// A short stereo clip that needs no input file: a plucked melody with
// decaying harmonics, a kick and a noise hi-hat pattern at 120 bpm, and a
// held chord at the end. The same arguments give the same samples on every
// machine.
class DemoClip {
 public:
  static constexpr double kDefaultSeconds = 6.0;

  DemoClip(double sampleRate, double seconds);
  // Interleaved left/right frames.
  const std::vector<double>& Frames() const { return frames; }
  int64_t FrameCount() const { return static_cast<int64_t>(frames.size() / 2); }

 private:
  void AddTone(double startSeconds, double frequency, double seconds, double level, double pan);
  void AddKick(double startSeconds);
  void AddHat(double startSeconds, double level);
  void AddSample(int64_t frame, double left, double right);
  double NextNoise();

  double sampleRate;
  std::vector<double> frames;
  uint32_t noiseState = 0x2545F491u;
};
