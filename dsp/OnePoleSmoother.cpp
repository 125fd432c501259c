#include "dsp/OnePoleSmoother.h"

#include <cmath>
#include <numbers>

#include "dsp/Maths.h"

bool OnePoleSmoother::StateIsFinite() const { return std::isfinite(z); }

OnePoleSmoother::OnePoleSmoother() {
  const float twoPi = 2.0f * std::numbers::pi_v<float>;
  a = ChainMaths::ExpF(-twoPi * (1000.0f / timeMs) / rate);
  b = 1.0f - a;
}
