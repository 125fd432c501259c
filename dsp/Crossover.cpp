#include "dsp/Crossover.h"

#include <cmath>
#include <numbers>

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
