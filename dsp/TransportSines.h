#pragma once

// The tape transport's four sines for a run of samples of both channels:
// flutter, which also stretches time, the wobble that bends the wow, the wow
// itself and the read point's flutter, each a sine of an omega times the
// transport's time. They are the sines TapeChannel works out one sample at
// a time, to the bit, worked out side by side in the halves of vector
// registers; nothing is carried from one sample to the next but the time.
class TransportSines {
 public:
  static constexpr double kWobbleOmega = 3.141592653589793 * static_cast<double>(2.65f);
  static constexpr double kWowOffsetScale = static_cast<double>(0.01f);

  // One channel's transport: its omegas and time (advanced in place), and
  // where each sample's wow and read-point flutter go.
  struct Run {
    double flutterOmega;
    double wowOmega;
    double readFlutterOmega;
    double* time;
    double sampleRate;
    double* wow;
    double* readFlutter;
  };
  static void AdvanceBoth(const Run& a, const Run& b, int frames);
};
