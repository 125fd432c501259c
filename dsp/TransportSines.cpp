#include "dsp/TransportSines.h"

// The wow's phase needs the wobble's sine, so it comes last.
void TransportSines::Anchor(double time) {
  flutter.Anchor(flutterOmegaValue * time);
  wobble.Anchor(kWobbleOmega * time);
  readFlutter.Anchor(readFlutterOmegaValue * time);
  wow.Anchor(WowPhase(time));
}
