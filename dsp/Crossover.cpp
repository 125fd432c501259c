#include "dsp/Crossover.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "dsp/DesignLimit.h"
#include "dsp/Maths.h"

template <class Float>
bool Crossover<Float>::StateIsFinite() const {
  for (int lane = 0; lane < Lanes<Float>::kCount; ++lane) {
    double sum = 0.0;
    for (const Section* s : {&low, &high, &all}) {
      sum += static_cast<double>(Lane(s->x1, lane)) + Lane(s->x2, lane) + Lane(s->y1, lane) +
             Lane(s->y2, lane);
    }
    if (!std::isfinite(sum)) return false;
  }
  return true;
}

template <class Float>
void Crossover<Float>::ClearState() {
  for (Section* s : {&low, &high, &all}) s->x1 = s->x2 = s->y1 = s->y2 = Float{};
}

template <class Float>
template <class Maths>
void Crossover<Float>::SetCrossover(float newFrequency, float newSampleRate) {
  frequency = newFrequency;
  sampleRate = newSampleRate;
  constexpr double kHighestW = 2.0 * std::numbers::pi * kHighestDesignFraction;
  const double unlimited = 2.0 * std::numbers::pi * frequency / sampleRate;
  const float w = static_cast<float>(unlimited < kHighestW ? unlimited : kHighestW);
  const float c = Maths::CosF(w);
  const float s = Maths::SinF(w);
  const float alpha = s / (2.0f * q);
  const float a0 = 1.0f + alpha;
  const auto every = [](float v) { return BroadcastFloat<Float>(v); };
  a1 = every(-2.0f * c / a0);
  a2 = every((1.0f - alpha) / a0);
  const float lowB0 = (1.0f - c) / (2.0f * a0);
  low.b0 = every(lowB0);
  low.b1 = every((1.0f - c) / a0);
  low.b2 = every(lowB0);
  const float highB0 = (1.0f + c) / (2.0f * a0);
  high.b0 = every(highB0);
  high.b1 = every(-(1.0f + c) / a0);
  high.b2 = every(highB0);
  all.b0 = a2;
  all.b1 = a1;
  all.b2 = every(1.0f);
}

template class Crossover<float>;
template class Crossover<FloatPair>;
template void Crossover<float>::SetCrossover<ProductMaths>(float, float);
template void Crossover<float>::SetCrossover<LiteralMaths>(float, float);
template void Crossover<FloatPair>::SetCrossover<ProductMaths>(float, float);
template void Crossover<FloatPair>::SetCrossover<LiteralMaths>(float, float);
