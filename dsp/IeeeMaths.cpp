#include "dsp/IeeeMaths.h"

namespace ieee_maths::detail {

namespace {

constexpr DoublePair Both(double v) { return DoublePair{v, v}; }

}  // namespace

const KernelSeries<DoublePair> kPairSeries = {
    {Both(kSeries.sin[0]), Both(kSeries.sin[1]), Both(kSeries.sin[2]), Both(kSeries.sin[3]),
     Both(kSeries.sin[4]), Both(kSeries.sin[5]), Both(kSeries.sin[6]), Both(kSeries.sin[7])},
    {Both(kSeries.cos[0]), Both(kSeries.cos[1]), Both(kSeries.cos[2]), Both(kSeries.cos[3]),
     Both(kSeries.cos[4]), Both(kSeries.cos[5]), Both(kSeries.cos[6]), Both(kSeries.cos[7])},
    Both(kSeries.one),
    Both(kSeries.half)};

const PairReduction kPairReduction = {Both(kTwoOverPi), Both(0x1.8p52), Both(kHalfPi1),
                                      Both(kHalfPi2),   Both(kHalfPi3), Both(kHalfPi4)};

}  // namespace ieee_maths::detail
