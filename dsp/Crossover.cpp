#include "dsp/Crossover.h"

#include <cmath>
#include <numbers>

namespace {

// Direct form I in single precision; the shared poles come from the crossover.
float RunSection(float x, float b0, float b1, float b2, float a1, float a2, float& x1, float& x2,
                 float& y1, float& y2) {
  const float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return y;
}

}  // namespace

void Crossover::SetCrossover(float newFrequency, float newSampleRate) {
  frequency = newFrequency;
  sampleRate = newSampleRate;
  const float w = static_cast<float>(2.0 * std::numbers::pi * frequency / sampleRate);
  const float c = std::cos(w);
  const float s = std::sin(w);
  const float alpha = s / (2.0f * q);
  const float a0 = 1.0f + alpha;
  a1 = -2.0f * c / a0;
  a2 = (1.0f - alpha) / a0;
  lowB0 = (1.0f - c) / (2.0f * a0);
  lowB1 = (1.0f - c) / a0;
  lowB2 = lowB0;
  highB0 = (1.0f + c) / (2.0f * a0);
  highB1 = -(1.0f + c) / a0;
  highB2 = highB0;
  allB0 = a2;
  allB1 = a1;
  allB2 = 1.0f;
}

float Crossover::ProcessLowpass(float x) {
  return RunSection(x, lowB0, lowB1, lowB2, a1, a2, lowX1, lowX2, lowY1, lowY2);
}

float Crossover::ProcessHighpass(float x) {
  return RunSection(x, highB0, highB1, highB2, a1, a2, highX1, highX2, highY1, highY2);
}

float Crossover::ProcessAllpass(float x) {
  return RunSection(x, allB0, allB1, allB2, a1, a2, allX1, allX2, allY1, allY2);
}
