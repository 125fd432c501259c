// The product's own maths against the C library's, through the two built
// plug-in modules: every program at three rates stays within the accuracy
// budget, after ten seconds and after an hour, and bypass stays bit-exact.
// The short form (ctest) runs the hour for one program; `--long` runs it for
// every program and rate.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "CommandLineFlag.h"
#include "ModuleComparison.h"

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

using Case = std::tuple<int, float>;  // program, sample rate

std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return "program" + std::to_string(std::get<0>(info.param)) + "_at" +
         std::to_string(static_cast<int>(std::get<1>(info.param)));
}

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
  const ComparisonPlan plan = Plan(3600.0 + 10.0);
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

}  // namespace

int main(int argc, char** argv) {
  longForm = TakeFlag(&argc, argv, "--long");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
