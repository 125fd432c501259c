#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tools/render/ParameterValues.h"

namespace {

constexpr int kSteps = 100;
using Kind = ParameterTarget::Kind;

// What a plug-in shows at each of kSteps + 1 normalised values.
std::vector<std::string> Shown(const std::function<std::string(double)>& display) {
  std::vector<std::string> texts;
  for (int step = 0; step <= kSteps; ++step) texts.push_back(display(double(step) / kSteps));
  return texts;
}

std::string Whole(double v) { return std::to_string(static_cast<int>(v)); }

TEST(ParameterValues, SteppedValuesAreChoicesReachedByTheirLowestValue) {
  // Shown with the fraction cut off, as a plug-in that sets by rounding
  // does: 0.625 shows 2 but sets 3, while 0.5 is 2 either way.
  const ParameterValues values(Shown([](double n) { return Whole(4.0 * n); }), true, "",
                               {"Noise 1", "Noise 2", "Vinyl 1", "Vinyl 2", "Brown"});
  EXPECT_EQ(values.Text(), "Noise 1 (0), Noise 2 (1), Vinyl 1 (2), Vinyl 2 (3), Brown (4)");
  for (const char* typed : {"vinyl 1", "2", "2.0", " VINYL 1 "}) {
    const ParameterTarget target = values.Match(typed);
    EXPECT_EQ(target.kind, Kind::kNormalized) << typed;
    EXPECT_EQ(target.normalized, 0.5) << typed;
  }
  for (const char* typed : {"2.5", "5", "-1", "Vinyl", "Vinyl 3", "0x2"}) {
    EXPECT_EQ(values.Match(typed).kind, Kind::kRefused) << typed;
  }
}

TEST(ParameterValues, NamesThatDoNotFitEveryChoiceAreLeftOut) {
  const ParameterValues values(Shown([](double n) { return Whole(2.0 * n); }), true, "", {"A"});
  EXPECT_EQ(values.Text(), "0, 1, 2");
  EXPECT_EQ(values.Match("A").kind, Kind::kRefused);
}

TEST(ParameterValues, NumbersInOneUnitFormARangeBesideTheNames) {
  const ParameterValues values(Shown([](double n) {
                                 if (n < 0.1) return std::string("Off");
                                 return std::to_string(static_cast<int>(std::lround(n * 100))) +
                                        " ms";
                               }),
                               false, "");
  EXPECT_EQ(values.Text(), "Off, 10 to 100 ms");
  EXPECT_EQ(values.Match("off").kind, Kind::kNormalized);
  EXPECT_EQ(values.Match("off").normalized, 0.0);
  for (const char* typed : {"50", "50 ms", "50 MS", "10", "100"}) {
    const ParameterTarget target = values.Match(typed);
    EXPECT_EQ(target.kind, Kind::kNumber) << typed;
    EXPECT_EQ(target.text, std::string(typed).substr(0, std::string(typed).find(' '))) << typed;
  }
  for (const char* typed : {"9", "101", "50 s", "inf", "nan", "ms", ""}) {
    EXPECT_EQ(values.Match(typed).kind, Kind::kRefused) << typed;
  }
}

TEST(ParameterValues, RangeOfFallingNumbersUsesTheLabelAsItsUnit) {
  const ParameterValues values(Shown([](double n) { return Whole(100.0 - 100.0 * n); }), false,
                               "dB");
  EXPECT_EQ(values.Text(), "0 to 100 dB");
  EXPECT_EQ(values.Match("25 db").kind, Kind::kNumber);
  EXPECT_EQ(values.Match("-25").kind, Kind::kRefused);
}

TEST(ParameterValues, NumbersInSeveralUnitsAreChoicesAsShown) {
  const ParameterValues values(
      Shown([](double n) { return n < 0.5 ? std::string("500 Hz") : std::string("1.5 kHz"); }),
      false, "");
  EXPECT_EQ(values.Text(), "500 Hz, 1.5 kHz");
  EXPECT_EQ(values.Match("1.5 khz").kind, Kind::kNormalized);
  EXPECT_EQ(values.Match("700").kind, Kind::kRefused);
}

// Too many names to list, or no text at all: the plug-in reads the value.
TEST(ParameterValues, TextsThatShowNoValuesLeaveReadingToThePlugin) {
  const ParameterValues notes(Shown([](double n) { return "note " + Whole(n * 90); }), false, "");
  const ParameterValues blank(Shown([](double) { return std::string(); }), false, "");
  for (const ParameterValues* values : {&notes, &blank}) {
    EXPECT_EQ(values->Text(), "any text the plug-in reads");
    const ParameterTarget target = values->Match(" C#4 ");
    EXPECT_EQ(target.kind, Kind::kPluginText);
    EXPECT_EQ(target.text, "C#4");
  }
}

}  // namespace
