// Measures the compiled-in noise tables: levels, statistics, spectra, stereo
// image, crackle and the loop point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "NoiseBankCases.h"
#include "SignalStats.h"

std::vector<long> ReadClickList(const std::string& directory, const char* name) {
  std::ifstream in(directory + "/" + name + ".clicks");
  std::vector<long> onsets;
  for (long onset; in >> onset;) onsets.push_back(onset);
  return onsets;
}

namespace {

using Stats = SignalStats;

class EveryBank : public testing::TestWithParam<NoiseBankCase> {};
class TapeBank : public testing::TestWithParam<NoiseBankCase> {};
class VinylBank : public testing::TestWithParam<NoiseBankCase> {};

TEST_P(EveryBank, ValuesAreFiniteAndCentred) {
  const NoiseBankCase& bank = GetParam();
  for (float x : bank.samples) ASSERT_TRUE(std::isfinite(x));
  EXPECT_LT(std::abs(Stats::Mean(bank.samples)), 0.01 * Stats::Rms(bank.samples));
}

TEST_P(EveryBank, PeakAndRmsAreWithinHalfADecibelOfTheirLevels) {
  const NoiseBankCase& bank = GetParam();
  EXPECT_NEAR(Stats::ToDb(Stats::Peak(bank.samples)), bank.peakDb, 0.5);
  EXPECT_NEAR(Stats::ToDb(Stats::Rms(bank.samples)), bank.rmsDb, 0.5);
}

TEST_P(EveryBank, LoopPointStepsNoFurtherThanTheSignalDoes) {
  const auto x = GetParam().samples;
  const double seamStep = std::abs(static_cast<double>(x.front()) - x.back());
  EXPECT_LE(seamStep, Stats::StepQuantile(x, 0.999));
}

double CrestDb(std::span<const float> x) { return Stats::ToDb(Stats::Peak(x) / Stats::Rms(x)); }

TEST_P(TapeBank, IsGaussianWithCrestOfFourteenToSixteenDecibels) {
  const auto x = GetParam().samples;
  EXPECT_GE(CrestDb(x), 14.0 - 0.5);
  EXPECT_LE(CrestDb(x), 16.0 + 0.5);
  EXPECT_NEAR(Stats::Kurtosis(x), 3.0, 0.3);
}

// Half-second levels, the last block wrapping across the loop point, where a
// badly joined loop would dip.
TEST_P(TapeBank, LevelWandersSlowlyByAboutOneDecibelAndNotAtTheLoopPoint) {
  const auto x = GetParam().samples;
  const double overall = Stats::ToDb(Stats::Rms(x));
  constexpr size_t kBlock = 22050;
  double lowest = 0.0, highest = 0.0;
  for (size_t start = 0; start < x.size(); start += kBlock) {
    double sum = 0.0;
    for (size_t i = start; i < start + kBlock; ++i) {
      const double v = x[i % x.size()];
      sum += v * v;
    }
    const double level = Stats::ToDb(std::sqrt(sum / kBlock)) - overall;
    lowest = std::min(lowest, level);
    highest = std::max(highest, level);
  }
  EXPECT_GT(lowest, -1.2);
  EXPECT_LT(highest, 1.2);
  EXPECT_GT(highest - lowest, 0.3);  // a recording, not a generator left running
}

TEST_P(TapeBank, HasNoClickNearTheLoopPoint) {
  const auto x = GetParam().samples;
  const long length = static_cast<long>(x.size());
  constexpr long kFiveMs = 221;
  for (long onset : Stats::DetectClicks(x)) {
    EXPECT_TRUE(onset >= kFiveMs && onset < length - kFiveMs) << "click at " << onset;
  }
}

TEST_P(VinylBank, CrackleStandsThirtyToFortyDecibelsAboveTheSurface) {
  const auto x = GetParam().samples;
  EXPECT_GE(CrestDb(x), 29.0 - 0.5);
  EXPECT_LE(CrestDb(x), 40.0 + 0.5);
  EXPECT_GT(Stats::Kurtosis(x), 8.0);
}

TEST_P(VinylBank, CrackleIsFoundAtTheRateItWasPlacedWithPoissonSpacing) {
  const NoiseBankCase& bank = GetParam();
  const std::vector<long> placed = ReadClickList(KESTRAVON_NOISE_DIR, bank.name);
  const std::vector<long> found = Stats::DetectClicks(bank.samples);
  const double seconds = static_cast<double>(bank.samples.size()) / 44100.0;
  EXPECT_GE(static_cast<double>(placed.size()) / seconds, 5.0);
  EXPECT_NEAR(static_cast<double>(found.size()), static_cast<double>(placed.size()),
              0.3 * static_cast<double>(placed.size()));

  double sum = 0.0, sumSquares = 0.0;
  for (size_t i = 1; i < found.size(); ++i) {
    const double gap = static_cast<double>(found[i] - found[i - 1]);
    sum += gap;
    sumSquares += gap * gap;
  }
  const double count = static_cast<double>(found.size() - 1);
  const double mean = sum / count;
  const double variation = std::sqrt(sumSquares / count - mean * mean) / mean;
  EXPECT_GE(variation, 0.8);
  EXPECT_LE(variation, 1.3);
}

// The table's energy is small next to its peak: the loudest click must be
// over within about 0.1 ms, or it would dominate the whole loop. Still it must
// ring like the pickup, never be a bare one-sample spike.
TEST_P(VinylBank, LoudestClickIsBriefButNoBareSpike) {
  const auto x = GetParam().samples;
  const double peak = Stats::Peak(x);
  long at = 0;
  while (std::abs(x[at]) < peak) ++at;
  long loudSamples = 0;
  double neighbourEnergy = 0.0;
  for (long i = at - 44; i <= at + 44; ++i) {
    if (std::abs(x[i]) > 0.5 * peak) ++loudSamples;
    if (i != at) neighbourEnergy += static_cast<double>(x[i]) * x[i];
  }
  EXPECT_LE(loudSamples, 9);  // 0.2 ms
  EXPECT_GT(neighbourEnergy, 0.2 * peak * peak);
}

std::string BankName(const testing::TestParamInfo<NoiseBankCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(NoiseBanks, EveryBank, testing::ValuesIn(kNoiseBankCases), BankName);
INSTANTIATE_TEST_SUITE_P(NoiseBanks, TapeBank,
                         testing::ValuesIn(std::begin(kNoiseBankCases),
                                           std::begin(kNoiseBankCases) + 4),
                         BankName);
INSTANTIATE_TEST_SUITE_P(NoiseBanks, VinylBank,
                         testing::ValuesIn(std::begin(kNoiseBankCases) + 4,
                                           std::end(kNoiseBankCases)),
                         BankName);

const std::vector<double> kOctaves = {31.5,   63.0,   125.0,  250.0,  500.0,
                                      1000.0, 2000.0, 4000.0, 8000.0, 16000.0};
enum Octave { k31, k63, k125, k250, k500, k1k, k2k, k4k, k8k, k16k };

// Level per hertz in each octave band: flat noise reads the same in every band.
std::vector<double> DensityDb(std::span<const float> x) {
  std::vector<double> bands = Stats::OctaveBandsDb(x, kOctaves);
  for (size_t i = 0; i < bands.size(); ++i) bands[i] -= 10.0 * std::log10(kOctaves[i]);
  return bands;
}

TEST(NoiseBankSpectra, CassetteHissIsFlatInTheMidsRisesAboveItsTransitionAndRollsOff) {
  for (auto table : {std::span<const float>(noise1Left), std::span<const float>(noise1Right)}) {
    const std::vector<double> d = DensityDb(table);
    EXPECT_NEAR(d[k250], d[k500], 1.5);
    EXPECT_GT(d[k2k], d[k1k] + 2.0);  // lift starts near 1.3 kHz
    EXPECT_GT(d[k4k], d[k1k] + 5.0);
    EXPECT_GT(d[k8k], d[k4k]);
    EXPECT_LT(d[k16k], d[k8k] - 3.0);
    EXPECT_LT(d[k31], d[k250] - 2.0);  // gentle low cut
  }
}

TEST(NoiseBankSpectra, FastTapeHissLiftsLaterThanCassetteHiss) {
  for (auto table : {std::span<const float>(noise2Left), std::span<const float>(noise2Right)}) {
    const std::vector<double> d = DensityDb(table);
    EXPECT_NEAR(d[k500], d[k1k], 1.5);
    EXPECT_LT(d[k2k], d[k1k] + 2.0);  // lift starts near 3.2 kHz
    EXPECT_GT(d[k8k], d[k1k] + 5.0);
    EXPECT_LT(d[k16k], d[k8k]);
    EXPECT_LT(d[k31], d[k250] - 2.0);
  }
}

TEST(NoiseBankSpectra, VinylSurfaceGrowsDarkerWithEveryOctave) {
  for (auto table : {std::span<const float>(vinyl1Left), std::span<const float>(vinyl1Right),
                     std::span<const float>(vinyl2Mono)}) {
    const std::vector<double> d = DensityDb(table);
    for (int band = k250; band < k16k; ++band) EXPECT_GT(d[band], d[band + 1] + 1.0) << band;
  }
}

TEST(NoiseBankStereo, ChannelCorrelationMatchesEachPairsOrigin) {
  EXPECT_LE(std::abs(Stats::Correlation(noise1Left, noise1Right)), 0.1);  // two tape tracks
  EXPECT_GE(Stats::Correlation(noise2Left, noise2Right), 0.9);            // copied from one master
  const double vinyl = Stats::Correlation(vinyl1Left, vinyl1Right);
  EXPECT_GE(vinyl, 0.1);
  EXPECT_LE(vinyl, 0.5);
}

TEST(NoiseBankStereo, ManyVinylTicksReachOneChannelOnly) {
  const std::vector<long> left = Stats::DetectClicks(vinyl1Left);
  const std::vector<long> right = Stats::DetectClicks(vinyl1Right);
  long leftOnly = 0;
  for (long onset : left) {
    const auto near = std::lower_bound(right.begin(), right.end(), onset - 44);
    if (near == right.end() || *near > onset + 44) ++leftOnly;  // none within 1 ms
  }
  const double share = static_cast<double>(leftOnly) / static_cast<double>(left.size());
  EXPECT_GE(share, 0.3);
  EXPECT_LE(share, 0.9);  // but stereo ticks exist too
}

// Energy in the millisecond before and after the loudest sample.
std::pair<double, double> EnergyAroundPeak(std::span<const float> x) {
  const double peak = Stats::Peak(x);
  long at = 0;
  while (std::abs(x[at]) < peak) ++at;
  double before = 0.0, after = 0.0;
  for (long k = 1; k <= 44; ++k) {
    before += static_cast<double>(x[at - k]) * x[at - k];
    after += static_cast<double>(x[at + k]) * x[at + k];
  }
  return {before, after};
}

TEST(NoiseBankStereo, VinylClicksRingForwardsInTheDirectionEachTableIsPlayed) {
  const auto [rightBefore, rightAfter] = EnergyAroundPeak(vinyl1Right);
  EXPECT_GT(rightAfter, 2.0 * rightBefore);
  // Played backwards, so stored backwards.
  const auto [leftBefore, leftAfter] = EnergyAroundPeak(vinyl1Left);
  EXPECT_GT(leftBefore, 2.0 * leftAfter);
}

TEST(NoiseBankStereo, VinylRumbleLivesMostlyInTheSideSignal) {
  std::vector<float> mid(kVinyl1Length), side(kVinyl1Length);
  for (int i = 0; i < kVinyl1Length; ++i) {
    mid[i] = 0.5f * (vinyl1Left[i] + vinyl1Right[i]);
    side[i] = 0.5f * (vinyl1Left[i] - vinyl1Right[i]);
  }
  const std::vector<double> midBands = Stats::OctaveBandsDb(mid, {16.0});
  const std::vector<double> sideBands = Stats::OctaveBandsDb(side, {16.0});
  EXPECT_GT(sideBands[0], midBands[0] + 3.0);
}

}  // namespace
