#include "dsp/BandSaturator.h"

#include <cmath>

#include "dsp/Maths.h"

float BandSaturator::SumClean(float lowAligned, float mid, float high) const {
  const float lowOut = static_cast<float>(static_cast<float>(lowAligned * 1.05) * gLow);
  const float midOut = static_cast<float>(static_cast<float>(mid * 0.9) * gMid);
  const float highOut = static_cast<float>(static_cast<float>(high * 1.15) * gHigh);
  return midOut + lowOut + highOut;
}

float BandSaturator::SumArctangent(float lowAligned, float mid, float high) const {
  const float lowOut = static_cast<float>(lowAligned * gLow);
  const float z = static_cast<float>(mid * 0.5);
  const float midOut = static_cast<float>((maths::Atan(z * gMid * 1.75 * drive) + z) * 0.5 * gMid);
  const float hb = static_cast<float>(high * 1.25);
  const float highOut =
      static_cast<float>((maths::Atan(gHigh * hb * 1.25 * drive) + hb) * 0.5 * gHigh);
  return midOut + lowOut + highOut;
}
