#include "dsp/TransportSines.h"

#include "dsp/DoublePair.h"
#include "dsp/IeeeMaths.h"

// Per sample, as TapeChannel does it: the flutter at the current time moves
// time on; the wobble, wow and read flutter are sines of the new time.
void TransportSines::AdvanceBoth(const Run& a, const Run& b, int frames) {
  const DoublePair flutterOmega{a.flutterOmega, b.flutterOmega};
  const DoublePair wowOmega{a.wowOmega, b.wowOmega};
  const DoublePair readFlutterOmega{a.readFlutterOmega, b.readFlutterOmega};
  const DoublePair rate{a.sampleRate, b.sampleRate};
  DoublePair time{*a.time, *b.time};
  for (int i = 0; i < frames; ++i) {
    const DoublePair flutter = ieee_maths::Sin(flutterOmega * time);
    time += (1.0 + static_cast<double>(0.025f) * flutter) / rate;
    const DoublePair wobble = ieee_maths::Sin(kWobbleOmega * time);
    const DoublePair wow = ieee_maths::Sin(wowOmega * (time + kWowOffsetScale * wobble));
    const DoublePair readFlutter = ieee_maths::Sin(readFlutterOmega * time);
    a.wow[i] = wow[0];
    b.wow[i] = wow[1];
    a.readFlutter[i] = readFlutter[0];
    b.readFlutter[i] = readFlutter[1];
  }
  *a.time = time[0];
  *b.time = time[1];
}
