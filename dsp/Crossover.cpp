#include "dsp/Crossover.h"

#include <cmath>
#include <numbers>

#include "dsp/DesignLimit.h"
#include "dsp/Maths.h"

bool Crossover::StateIsFinite() const {
  const double sum = static_cast<double>(lowX1) + lowX2 + lowY1 + lowY2 + highX1 + highX2 + highY1 +
                     highY2 + allX1 + allX2 + allY1 + allY2;
  return std::isfinite(sum);
}

void Crossover::ClearState() {
  lowX1 = lowX2 = lowY1 = lowY2 = 0.0f;
  highX1 = highX2 = highY1 = highY2 = 0.0f;
  allX1 = allX2 = allY1 = allY2 = 0.0f;
}

void Crossover::SetCrossover(float newFrequency, float newSampleRate) {
  frequency = newFrequency;
  sampleRate = newSampleRate;
  constexpr double kHighestW = 2.0 * std::numbers::pi * kHighestDesignFraction;
  const double unlimited = 2.0 * std::numbers::pi * frequency / sampleRate;
  const float w = static_cast<float>(unlimited < kHighestW ? unlimited : kHighestW);
  const float c = ChainMaths::CosF(w);
  const float s = ChainMaths::SinF(w);
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
