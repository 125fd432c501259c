#include "dsp/BandSaturator.h"

#include <cmath>

#include "dsp/DoublePair.h"
#include "dsp/IeeeMaths.h"
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

void BandSaturator::SumBoth(const BandSaturator& a, Bands bandsA, const BandSaturator& b,
                           Bands bandsB, float* sumA, float* sumB) {
  if (maths::kLiteral || a.mode != kModeArctangent || b.mode != kModeArctangent) {
    *sumA = a.Sum(bandsA);
    *sumB = b.Sum(bandsB);
    return;
  }
  // SumArctangent, term by term, for a and b side by side.
  const float lowOutA = static_cast<float>(bandsA.lowAligned * a.gLow);
  const float lowOutB = static_cast<float>(bandsB.lowAligned * b.gLow);
  const float zA = static_cast<float>(bandsA.mid * 0.5);
  const float zB = static_cast<float>(bandsB.mid * 0.5);
  const float hbA = static_cast<float>(bandsA.high * 1.25);
  const float hbB = static_cast<float>(bandsB.high * 1.25);
  const DoublePair midAngle = ieee_maths::AtanBoth(
      DoublePair{zA * a.gMid * 1.75 * a.drive, zB * b.gMid * 1.75 * b.drive});
  const DoublePair highAngle = ieee_maths::AtanBoth(
      DoublePair{a.gHigh * hbA * 1.25 * a.drive, b.gHigh * hbB * 1.25 * b.drive});
  const float midOutA = static_cast<float>((midAngle[0] + zA) * 0.5 * a.gMid);
  const float midOutB = static_cast<float>((midAngle[1] + zB) * 0.5 * b.gMid);
  const float highOutA = static_cast<float>((highAngle[0] + hbA) * 0.5 * a.gHigh);
  const float highOutB = static_cast<float>((highAngle[1] + hbB) * 0.5 * b.gHigh);
  *sumA = midOutA + lowOutA + highOutA;
  *sumB = midOutB + lowOutB + highOutB;
}
