#include "TapeHiss.h"

#include <cmath>

#include "LevelDrift.h"
#include "LevelShaper.h"
#include "NoiseRandom.h"
#include "ToneFilter.h"

namespace {

constexpr size_t kSeamGuard = 4410;  // 100 ms: the peak swell stays clear of the loop point

double FromDb(double db) { return std::pow(10.0, db / 20.0); }

std::vector<ToneFilter> PlaybackChain(const TapeHissRecipe& recipe, double topCutHz) {
  return {ToneFilter::Highpass(recipe.lowCutHz, 0.6),
          ToneFilter::PoleZero(recipe.liftTopHz, recipe.transitionHz),
          ToneFilter::Lowpass(topCutHz, recipe.topCutQ)};
}

}  // namespace

std::vector<NoiseBankData> TapeHiss::Synthesise(const TapeHissRecipe& recipe, const char* nameLeft,
                                                const char* nameRight) {
  NoiseRandom random(recipe.seed);
  const double common = std::sqrt(recipe.commonShare);
  const double own = std::sqrt(1.0 - recipe.commonShare);
  std::vector<double> left(recipe.length), right(recipe.length);
  for (long i = 0; i < recipe.length; ++i) {
    const double shared = random.NextGaussian();
    left[i] = common * shared + own * random.NextGaussian();
    right[i] = common * shared + own * random.NextGaussian();
  }
  FilterCircular(PlaybackChain(recipe, recipe.topCutLeftHz), left);
  FilterCircular(PlaybackChain(recipe, recipe.topCutRightHz), right);

  // Tape-to-head contact moves both tracks together; each track adds a little of its own.
  const LevelDrift shared(random, recipe.driftDb * 0.7);
  const LevelDrift leftOwn(random, recipe.driftDb * 0.3);
  const LevelDrift rightOwn(random, recipe.driftDb * 0.3);
  shared.Apply(left);
  shared.Apply(right);
  leftOwn.Apply(left);
  rightOwn.Apply(right);

  const double rms = FromDb(recipe.rmsDb);
  LevelShaper::FitHiss(left, rms, FromDb(recipe.peakLeftDb), kSeamGuard);
  LevelShaper::FitHiss(right, rms, FromDb(recipe.peakRightDb), kSeamGuard);
  return {{nameLeft, std::move(left), {}}, {nameRight, std::move(right), {}}};
}
