#include "dsp/BandSaturator.h"

#include "dsp/Maths.h"

template <class Sample, class Maths>
auto BandSaturator<Sample, Maths>::SumClean(Float lowAligned, Float mid, Float high) const -> Float {
  const Float lowOut = RoundToFloat(Widen(RoundToFloat(Widen(lowAligned) * 1.05)) * gLow);
  const Float midOut = RoundToFloat(Widen(RoundToFloat(Widen(mid) * 0.9)) * gMid);
  const Float highOut = RoundToFloat(Widen(RoundToFloat(Widen(high) * 1.15)) * gHigh);
  return midOut + lowOut + highOut;
}

template <class Sample, class Maths>
auto BandSaturator<Sample, Maths>::SumArctangent(Float lowAligned, Float mid, Float high) const -> Float {
  const Float lowOut = RoundToFloat(Widen(lowAligned) * gLow);
  const Sample z = Widen(RoundToFloat(Widen(mid) * 0.5));
  const Float midOut = RoundToFloat((Maths::Atan(z * gMid * 1.75 * drive) + z) * 0.5 * gMid);
  const Sample hb = Widen(RoundToFloat(Widen(high) * 1.25));
  const Float highOut =
      RoundToFloat((Maths::Atan(gHigh * hb * 1.25 * drive) + hb) * 0.5 * gHigh);
  return midOut + lowOut + highOut;
}

template class BandSaturator<double, ProductMaths>;
template class BandSaturator<DoublePair, ProductMaths>;
template class BandSaturator<double, LiteralMaths>;
template class BandSaturator<DoublePair, LiteralMaths>;
