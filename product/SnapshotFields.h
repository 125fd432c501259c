#pragma once
#include "engine/EngineSnapshot.h"
#include "product/TovraneParams.h"

// The snapshot field a percentage parameter drives (as a fraction 0..1), or
// null for the parameters that are whole numbers or drive nothing.
inline double* PercentField(EngineSnapshot& s, int index) {
  switch (index) {
    case kInputGain:
      return &s.inputGain;
    case kNoiseAmp:
      return &s.noiseAmp;
    case kNoiseDynamic:
      return &s.noiseDynamic;
    case kWow:
      return &s.wow;
    case kScratch:
      return &s.scratch;
    case kHarmonics:
      return &s.harmonics;
    case kTubeDrive:
      return &s.tubeDrive;
    case kLfBoost:
      return &s.lfBoost;
    case kHfBoost:
      return &s.hfBoost;
    case kAge:
      return &s.age;
    case kWide:
      return &s.wide;
    case kOutputGain:
      return &s.outputGain;
    case kQuadMix:
      return &s.quadMix;
    case kQuadDelay:
      return &s.quadDelay;
    case kSpeed:
      return &s.speed;
    default:
      return nullptr;
  }
}
