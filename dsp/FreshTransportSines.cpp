#include "dsp/FreshTransportSines.h"

#include <initializer_list>

#include "dsp/Maths.h"

void FreshTransportSines::Advance(double* time, double sampleRate) {
  const double flutter = ChainMaths::Sin(flutterOmegaValue * *time);
  *time += (1.0 + static_cast<double>(0.025f) * flutter) / sampleRate;
  const double t = *time;
  const double wobble = ChainMaths::Sin(TransportSines::kWobbleOmega * t);
  wow = ChainMaths::Sin(wowOmegaValue * (t + TransportSines::kWowOffsetScale * wobble));
  readFlutter = ChainMaths::Sin(readFlutterOmegaValue * t);
}

void FreshTransportSines::AdvanceBoth(const Run& a, const Run& b, int frames) {
  for (const Run* run : {&a, &b}) {
    for (int i = 0; i < frames; ++i) {
      run->sines->Advance(run->time, run->sampleRate);
      run->wow[i] = run->sines->Wow();
      run->readFlutter[i] = run->sines->ReadFlutter();
    }
  }
}
