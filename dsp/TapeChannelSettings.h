#pragma once
#include <cstdint>

// Per-block settings of a tape channel; the processor's settings begin with them.
struct TapeChannelSettings {
  int32_t profile = 0;    // 0..2 tone sets; 3 = no saturator and tone filters
  int32_t noiseType = 0;  // 0..3 banks, 4 brown, other = none
  double noiseAmp = 0.0;
  double noiseDynamic = 0.0;
  double harmonics = 0.0;
  double tubeDrive = 0.0;
  double wow = 0.0;
  double scratch = 0.0;
  double lfBoost = 0.0;
  double hfBoost = 0.0;
  double age = 0.0;
  double wide = 0.0;
  double speed = 0.0;
};
