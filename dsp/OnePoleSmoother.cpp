#include "dsp/OnePoleSmoother.h"

#include <cmath>
#include <numbers>

#include "dsp/Maths.h"

template <class Maths>
bool OnePoleSmoother<Maths>::StateIsFinite() const {
  return std::isfinite(z);
}

template <class Maths>
OnePoleSmoother<Maths>::OnePoleSmoother() {
  const float twoPi = 2.0f * std::numbers::pi_v<float>;
  a = Maths::ExpF(-twoPi * (1000.0f / timeMs) / rate);
  b = 1.0f - a;
}

template class OnePoleSmoother<ProductMaths>;
template class OnePoleSmoother<LiteralMaths>;
