// The product's own maths against the C library's, through the two built
// plug-in modules: every program at three rates stays within the accuracy
// budget, after ten seconds and after an hour, and bypass stays bit-exact;
// so do the programs with each noise type, random settings of every sound
// parameter and random automation of them. The short form (ctest) runs the
// hour for one program and a fixed number of random cases; `--long` runs the
// hour for every program and rate and for every noise type, and many more
// random cases.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <tuple>

#include "CommandLineFlag.h"
#include "ModuleComparison.h"
#include "SettingsCases.h"

namespace {

bool longForm = false;
// The hour run in the short form: a program whose output feeds float
// roundings back through resonant filters, so that a last-bit difference
// anywhere shows, at the rate where an hour costs least.
constexpr int kHourProgram = 11;
constexpr float kHourRate = 44100.0f;
// The sanitizer build checks the two modules' memory use, not the budget
// again: it renders less.
#if KESTRAVON_SANITIZED
constexpr double kBudgetSeconds = 2.0;
#else
constexpr double kBudgetSeconds = 10.0;
#endif

constexpr double kCaseSeconds = kBudgetSeconds / 2.0;
constexpr double kHour = 3600.0;

using Case = std::tuple<int, float>;  // program, sample rate

std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return "program" + std::to_string(std::get<0>(info.param)) + "_at" +
         std::to_string(static_cast<int>(std::get<1>(info.param)));
}

std::string RateName(float rate) { return std::to_string(static_cast<int>(rate)); }

void ExpectWithinBudget(const DifferenceStats& stats, const std::string& what) {
  SCOPED_TRACE(what + ": " + stats.Describe());
  EXPECT_GT(stats.samples, 0);
  EXPECT_EQ(stats.nonFinite, 0);
  EXPECT_LE(stats.RelativeRmsDb(), -120.0);
  EXPECT_GE(stats.WithinFraction(), 0.999);
}

class Accuracy : public testing::TestWithParam<Case> {
 protected:
  ComparisonPlan Plan(double seconds) const {
    ComparisonPlan plan;
    plan.program = std::get<0>(GetParam());
    plan.sampleRate = std::get<1>(GetParam());
    plan.seconds = seconds;
    return plan;
  }
};

TEST_P(Accuracy, TenSecondsStayWithinTheBudget) {
  const ComparisonResult result = CompareModules(Plan(kBudgetSeconds));
  ASSERT_EQ(result.error, "");
  ExpectWithinBudget(result.whole, "the first seconds");
  RecordProperty("difference", result.whole.Describe());
}

TEST_P(Accuracy, AfterAnHourTheOutputStaysWithinTheBudget) {
  const ComparisonPlan plan = Plan(kHour + 10.0);
  const bool shortFormCase = plan.program == kHourProgram && plan.sampleRate == kHourRate;
#if KESTRAVON_SANITIZED
  GTEST_SKIP() << "an hour of audio is too long for the sanitizer build";
#endif
  if (!longForm && !shortFormCase) GTEST_SKIP() << "long form only (--long)";
  const ComparisonResult result = CompareModules(plan);
  ASSERT_EQ(result.error, "");
  ExpectWithinBudget(result.whole, "the whole hour");
  ExpectWithinBudget(result.window, "the 10 s after the hour");
  RecordProperty("difference", result.window.Describe());
}

TEST_P(Accuracy, BypassIsBitExact) {
  ComparisonPlan plan = Plan(2.0);
  plan.powerOff = true;
  const ComparisonResult result = CompareModules(plan);
  ASSERT_EQ(result.error, "");
  EXPECT_EQ(result.whole.bitDifferent, 0) << result.whole.Describe();
  EXPECT_GT(result.whole.literalSquares, 0.0);
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, Accuracy,
                         testing::Combine(testing::Range(0, 16),
                                          testing::Values(44100.0f, 48000.0f, 96000.0f)),
                         CaseName);

// The same comparison for a plan other than a program as shipped: the case
// is printed as a command line, so that a failure can be rendered again.
DifferenceStats ExpectPlanWithinBudget(const ComparisonPlan& plan) {
  static const std::vector<std::string> names = ProductParameterNames();
  SCOPED_TRACE("case: " + DescribePlan(plan, names));
  const ComparisonResult result = CompareModules(plan);
  EXPECT_EQ(result.error, "");
  ExpectWithinBudget(result.whole, "the whole render");
  if (plan.windowSeconds < plan.seconds) ExpectWithinBudget(result.window, "the last seconds");
  testing::Test::RecordProperty("difference", result.whole.Describe());
  return result.whole;
}

// Each noise type put into the programs where the noise is heard most: the
// loudest ("Noise amp") and those where it moves the read point furthest
// ("Noise dynamic"), which is also how it reaches the output when it is not
// mixed in.
using NoiseCase = std::tuple<int, int, float>;  // noise type, program, sample rate

std::string NoiseCaseName(const testing::TestParamInfo<NoiseCase>& info) {
  return "type" + std::to_string(std::get<0>(info.param)) + "_program" +
         std::to_string(std::get<1>(info.param)) + "_at" + RateName(std::get<2>(info.param));
}

ComparisonPlan NoisePlan(const NoiseCase& c, double seconds) {
  ComparisonPlan plan;
  plan.program = std::get<1>(c);
  plan.sampleRate = std::get<2>(c);
  plan.seconds = seconds;
  plan.changes = {NoiseTypeSetting(std::get<0>(c))};
  return plan;
}

class NoiseTypeAccuracy : public testing::TestWithParam<NoiseCase> {};

TEST_P(NoiseTypeAccuracy, StaysWithinTheBudget) {
  ExpectPlanWithinBudget(NoisePlan(GetParam(), kCaseSeconds));
}

INSTANTIATE_TEST_SUITE_P(LoudestNoise, NoiseTypeAccuracy,
                         testing::Combine(testing::Range(0, 5),
                                          testing::Values(0, 1, 2, 3, 4, 8, 9, 12),
                                          testing::Values(44100.0f, 48000.0f, 96000.0f)),
                         NoiseCaseName);

// An hour of each noise type at 96 kHz, where the read point's steps in
// samples, and so any difference in where it reads, are largest.
constexpr int kNoiseHourProgram = 12;
constexpr float kNoiseHourRate = 96000.0f;

class NoiseTypeAfterAnHour : public testing::TestWithParam<int> {};

TEST_P(NoiseTypeAfterAnHour, StaysWithinTheBudget) {
#if KESTRAVON_SANITIZED
  GTEST_SKIP() << "an hour of audio is too long for the sanitizer build";
#endif
  if (!longForm) GTEST_SKIP() << "long form only (--long)";
  ExpectPlanWithinBudget(NoisePlan({GetParam(), kNoiseHourProgram, kNoiseHourRate}, kHour + 10.0));
}

INSTANTIATE_TEST_SUITE_P(EveryNoiseType, NoiseTypeAfterAnHour, testing::Range(0, 5));

// Random settings of every sound parameter, case k drawn from seed k: the
// rate cycles through three, and every other case has "Quad mix" at 0.
constexpr int kShortFormCases = 48;
constexpr int kLongFormCases = 960;
const float kCaseRates[] = {44100.0f, 48000.0f, 96000.0f};

ComparisonPlan RandomPlan(int k, bool automated) {
  std::mt19937 random(static_cast<uint32_t>(k));
  const bool withQuadMix = k % 2 == 0;
  ComparisonPlan plan;
  plan.sampleRate = kCaseRates[k % 3];
  plan.seconds = kCaseSeconds;
  plan.changes = RandomSettings(random, 0, withQuadMix);
  if (automated) {
    const int64_t frames = static_cast<int64_t>(plan.seconds * plan.sampleRate);
    const auto automation = RandomAutomation(random, frames, kComparisonBlock, withQuadMix);
    plan.changes.insert(plan.changes.end(), automation.begin(), automation.end());
  }
  return plan;
}

class RandomSettingsAccuracy : public testing::TestWithParam<int> {};

TEST_P(RandomSettingsAccuracy, StayWithinTheBudget) {
  ExpectPlanWithinBudget(RandomPlan(GetParam(), false));
}

TEST_P(RandomSettingsAccuracy, StayWithinTheBudgetWhenAutomated) {
  ExpectPlanWithinBudget(RandomPlan(GetParam(), true));
}

INSTANTIATE_TEST_SUITE_P(Seeded, RandomSettingsAccuracy, testing::Range(0, kShortFormCases));

// The worst of many cases by each measure of the budget, with its case.
class WorstCases {
 public:
  void Add(const DifferenceStats& stats, const std::string& name) {
    const std::string entry = name + ": " + stats.Describe();
    if (cases == 0 || stats.RelativeRmsDb() > rms.RelativeRmsDb())
      Keep(stats, entry, &rms, &rmsCase);
    if (cases == 0 || stats.WithinFraction() < within.WithinFraction())
      Keep(stats, entry, &within, &withinCase);
    if (cases == 0 || stats.worstRelative > sample.worstRelative)
      Keep(stats, entry, &sample, &sampleCase);
    ++cases;
  }
  std::string Describe() const {
    return std::to_string(cases) + " cases\n  largest rms difference: " + rmsCase +
           "\n  fewest within 1e-6: " + withinCase + "\n  largest sample difference: " + sampleCase;
  }

 private:
  static void Keep(const DifferenceStats& stats, const std::string& entry, DifferenceStats* worst,
                   std::string* worstCase) {
    *worst = stats;
    *worstCase = entry;
  }
  int cases = 0;
  DifferenceStats rms, within, sample;
  std::string rmsCase, withinCase, sampleCase;
};

// The long form's further cases, run one after the other in one test; the
// worst of each kind is printed at the end.
TEST(RandomSettingsAccuracyLongForm, ManyMoreCasesStayWithinTheBudget) {
  if (!longForm) GTEST_SKIP() << "long form only (--long)";
  WorstCases settings, automated;
  for (int k = kShortFormCases; k < kLongFormCases && !HasFailure(); ++k) {
    SCOPED_TRACE("seed " + std::to_string(k));
    settings.Add(ExpectPlanWithinBudget(RandomPlan(k, false)), "seed " + std::to_string(k));
    automated.Add(ExpectPlanWithinBudget(RandomPlan(k, true)), "seed " + std::to_string(k));
  }
  std::printf("random settings:\n%s\nautomated:\n%s\n", settings.Describe().c_str(),
              automated.Describe().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  longForm = TakeFlag(&argc, argv, "--long");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
