#pragma once
#include "dsp/DoublePair.h"
#include "dsp/QuadratureOscillator.h"

// The tape transport's time and its four sines, for one channel (double) or
// both side by side (DoublePair): flutter, which also stretches time, the
// wobble that bends the wow, the wow itself and the read point's flutter,
// each a sine of a phase that is an omega times the transport's time. Time
// is accumulated exactly as written.
//
// They are worked out for a run of frames before the frames are processed,
// the channels side by side: each channel's time feeds back through its
// flutter sine and a division, a chain the processor can only overlap with
// the other channel's.
struct TransportOmegas {
  static constexpr double kLfoRate = static_cast<double>(0.279f);
  static constexpr double kPi = 3.141592653589793;
  static constexpr double kFlutter = kPi * static_cast<double>(0.65f) * kLfoRate;
  static constexpr double kWobble = kPi * static_cast<double>(2.65f);
  static constexpr double kWow = 2.0 * kPi * kLfoRate;
  static constexpr double kReadFlutter = 2.0 * kPi * 2.473 * kLfoRate;
  static constexpr double kWowOffsetScale = static_cast<double>(0.01f);
};

// The transport's time, and the wow of the latest sample, which both forms
// of the sines below keep.
template <class Sample>
class TransportClock {
 public:
  void SetTime(Sample time) { now = time; }
  Sample Time() const { return now; }
  // Whether the time and the latest wow are finite.
  bool IsFinite() const { return AllFinite(now + lastWow); }
  // Lanes whose time or wow is no longer finite start again from time 0.
  void ClearNonFinite();

 protected:
  Sample now = Broadcast<Sample>(0.0);
  Sample lastWow = Broadcast<Sample>(1.0);
};

// The product's form: each sine carried by rotation from one phase to the
// next (see QuadratureOscillator).
template <class Sample>
class TransportSines : public TransportClock<Sample> {
 public:
  // `frames` samples: time moves on, and each sample's wow and read flutter
  // are written out.
  void Run(Sample sampleRate, int frames, Sample* wow, Sample* readFlutter);

 private:
  using TransportClock<Sample>::now;
  using TransportClock<Sample>::lastWow;
  void Anchor();

  QuadratureOscillator<Sample> flutter;
  QuadratureOscillator<Sample> wobble;
  QuadratureOscillator<Sample> wow;
  QuadratureOscillator<Sample> readFlutter;
};

// The literal form: every sine worked out afresh from the time, with the
// maths policy's sine.
template <class Sample, class Maths>
class FreshTransportSines : public TransportClock<Sample> {
 public:
  void Run(Sample sampleRate, int frames, Sample* wow, Sample* readFlutter);

 private:
  using TransportClock<Sample>::now;
  using TransportClock<Sample>::lastWow;
};
