// Values a host should never send, sent anyway: every parameter gets each
// one in a child process of its own, so a crash is reported against the
// value that caused it instead of ending the suite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "ValidationSettings.h"

namespace validation {
namespace {

// The tape program: wow, flutter and the quad delay all in use.
constexpr int kProgram = 6;
constexpr int kBlock = 512;
constexpr int kBlocksAfterChange = 24;
// Value texts must fit the 32 bytes hosts give them, terminator included.
constexpr size_t kHostTextBound = 32;

struct BadValue {
  const char* name;
  float value;
};

const BadValue kBadValues[] = {
    {"NaN", std::numeric_limits<float>::quiet_NaN()},
    {"+Inf", std::numeric_limits<float>::infinity()},
    {"-Inf", -std::numeric_limits<float>::infinity()},
    {"-1", -1.0f},
    {"-1e30", -1e30f},
    {"1.5", 1.5f},
    {"1e30", 1e30f},
    {"-0", -0.0f},
    {"smallest denormal", std::numeric_limits<float>::denorm_min()},
};

const char* const kBadTexts[] = {"-1e30", "1e30", "-5", "nan", "inf", "-inf", "1e-320", "-0"};

// A number as the display shows it, and how many decimals it was shown with.
struct ShownNumber {
  bool isNumber = false;
  double value = 0.0;
  int decimals = 0;
};

ShownNumber ReadShownNumber(const std::string& text) {
  ShownNumber shown;
  if (text.empty()) return shown;
  char* end = nullptr;
  shown.value = std::strtod(text.c_str(), &end);
  shown.isNumber = end == text.c_str() + text.size() && std::isfinite(shown.value);
  const size_t point = text.find('.');
  if (point != std::string::npos) shown.decimals = static_cast<int>(text.size() - point - 1);
  return shown;
}

// What the display shows at each end of a parameter's range, read on an
// effect of its own.
struct ShownRange {
  std::string bottomText;
  std::string topText;
  ShownNumber bottom;
  ShownNumber top;
  bool Numeric() const { return bottom.isNumber && top.isNumber; }
};

const ShownRange& RangeOf(int index) {
  static std::map<int, ShownRange> ranges;
  auto found = ranges.find(index);
  if (found != ranges.end()) return found->second;
  ShownRange range;
  if (AEffect* effect = CreateEffect()) {
    effect->setParameter(effect, index, 0.0f);
    range.bottomText = ParamDisplay(effect, index);
    effect->setParameter(effect, index, 1.0f);
    range.topText = ParamDisplay(effect, index);
    range.bottom = ReadShownNumber(range.bottomText);
    range.top = ReadShownNumber(range.topText);
    Dispatch(effect, effClose);
  }
  return ranges.emplace(index, range).first->second;
}

// The normalised value and its text must agree with each other and with the
// range the display shows at its ends.
std::string CheckValueAndText(AEffect* effect, int index, const char* when) {
  std::ostringstream faults;
  faults << when << ": ";
  const std::streampos empty = faults.tellp();
  const float normalized = effect->getParameter(effect, index);
  if (!(normalized >= 0.0f && normalized <= 1.0f)) {
    faults << "getParameter gives " << normalized << ", outside [0, 1]; ";
  }
  bool overran = false;
  const std::string text = ParamDisplay(effect, index, &overran);
  if (overran || text.size() >= kHostTextBound) {
    faults << "value text \"" << text << "\" does not fit a host's 32-byte buffer; ";
  }
  const ShownRange& range = RangeOf(index);
  const ShownNumber shown = ReadShownNumber(text);
  if (!range.Numeric() || !shown.isNumber) {
    if (!range.Numeric() && text.empty()) faults << "empty value text; ";
    if (range.Numeric()) {
      faults << "value text \"" << text << "\" is not a number like \"" << range.bottomText
             << "\" .. \"" << range.topText << "\"; ";
    }
    return faults.tellp() == empty ? std::string() : faults.str();
  }
  // One unit of the last shown digit covers the rounding of the text and
  // the parameter's own step.
  const double unit = std::pow(10.0, -shown.decimals);
  const double bottom = range.bottom.value;
  const double top = range.top.value;
  if (shown.value < std::min(bottom, top) - 1e-9 || shown.value > std::max(bottom, top) + 1e-9) {
    faults << "value text \"" << text << "\" outside \"" << range.bottomText << "\" .. \""
           << range.topText << "\"; ";
  }
  const double expected = bottom + static_cast<double>(normalized) * (top - bottom);
  if (std::isfinite(normalized) && std::fabs(shown.value - expected) > unit * 1.000001) {
    faults << "value text \"" << text << "\" but getParameter " << normalized << " means "
           << expected << "; ";
  }
  return faults.tellp() == empty ? std::string() : faults.str();
}

// Where a bad normalised value should leave the parameter: values below the
// range at its bottom, above it at its top, NaN ignored, an infinity either
// ignored or taken as the matching end.
std::string CheckLanding(float sent, float before, float after) {
  std::ostringstream faults;
  bool landed = true;
  if (std::isnan(sent)) {
    landed = after == before;
  } else if (std::isinf(sent)) {
    landed = after == before || after == (sent > 0 ? 1.0f : 0.0f);
  } else if (sent <= 0.0f) {
    landed = after == 0.0f;
  } else if (sent >= 1.0f) {
    landed = after == 1.0f;
  } else {
    landed = after <= 1e-6f;  // the smallest denormal is as good as 0
  }
  if (!landed) faults << "getParameter went from " << before << " to " << after << "; ";
  return faults.str();
}

// Processes a while after the change and reports what went wrong.
std::string ProcessAfterChange(AEffect* effect) {
  // Any one parameter at either end of its range still lets a third of the
  // signal's level through the tape program; less than a twentieth means
  // the audio was lost, for instance replaced by silence.
  constexpr double kLowestLevel = 0.05;
  const StereoSignal signal = TestSignal(kBlocksAfterChange * kBlock, kReferenceRate);
  Render<float> render;
  for (int b = 0; b < kBlocksAfterChange; ++b)
    ProcessCall(effect, signal, b * kBlock, kBlock, &render);
  std::string faults = render.faults;
  const long nonFinite = FirstNonFinite(render);
  if (nonFinite >= 0) faults += "non-finite output at sample " + std::to_string(nonFinite) + "; ";
  const double level = LevelRatio(render, signal, render.left.size() / 2);
  if (!(level >= kLowestLevel))
    faults += "output level " + std::to_string(level) + " of the input; ";
  return faults;
}

std::string SetNormalizedInChild(int index, float value) {
  AEffect* effect = CreateEffect();
  if (!effect) return "no effect";
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, kProgram);
  const float before = effect->getParameter(effect, index);
  effect->setParameter(effect, index, value);
  std::string faults = CheckLanding(value, before, effect->getParameter(effect, index));
  faults += CheckValueAndText(effect, index, "once set");
  faults += ProcessAfterChange(effect);
  faults += CheckValueAndText(effect, index, "after processing");
  Dispatch(effect, effClose);
  return faults;
}

std::string SetTextInChild(int index, const char* text) {
  AEffect* effect = CreateEffect();
  if (!effect) return "no effect";
  StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, kProgram);
  std::vector<char> hostText(text, text + std::strlen(text) + 1);
  Dispatch(effect, effString2Parameter, index, 0, hostText.data());
  std::string faults = CheckValueAndText(effect, index, "once set");
  faults += ProcessAfterChange(effect);
  faults += CheckValueAndText(effect, index, "after processing");
  Dispatch(effect, effClose);
  return faults;
}

class BadParameterValues : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_NE(EntryPoint(), nullptr);
    // Read in the parent, so every child compares against the same range.
    RangeOf(GetParam());
  }
};

TEST_P(BadParameterValues, SetNormalized) {
  const int index = GetParam();
  for (const BadValue& bad : kBadValues) {
    const ChildOutcome outcome = RunInChild([&] { return SetNormalizedInChild(index, bad.value); },
                                            Settings().childTimeoutSeconds);
    EXPECT_TRUE(outcome.passed) << "parameter " << index << " set to " << bad.name << ": "
                                << outcome.message;
  }
}

TEST_P(BadParameterValues, SetFromText) {
  const int index = GetParam();
  for (const char* text : kBadTexts) {
    const ChildOutcome outcome =
        RunInChild([&] { return SetTextInChild(index, text); }, Settings().childTimeoutSeconds);
    EXPECT_TRUE(outcome.passed) << "parameter " << index << " given the text \"" << text
                                << "\": " << outcome.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Validation, BadParameterValues, ::testing::Range(0, kNumParams),
                         [](const auto& info) { return "Param" + std::to_string(info.param); });

// "Quad delay" far below its range on the tape program once read before
// the start of its delay line.
TEST(BadParameterValues, QuadDelayFarBelowItsRangeOnTheTapeProgram) {
  ASSERT_NE(EntryPoint(), nullptr);
  RangeOf(kQuadDelayParam);
  const ChildOutcome outcome = RunInChild(
      [] {
        AEffect* effect = CreateEffect();
        if (!effect) return std::string("no effect");
        StartEffect(effect, static_cast<float>(kReferenceRate), kBlock, kProgram);
        effect->setParameter(effect, kQuadDelayParam, -1e30f);
        std::string faults;
        if (effect->getParameter(effect, kQuadDelayParam) != 0.0f) faults += "not at the bottom; ";
        if (ParamDisplay(effect, kQuadDelayParam) != RangeOf(kQuadDelayParam).bottomText) {
          faults += "text \"" + ParamDisplay(effect, kQuadDelayParam) + "\"; ";
        }
        faults += ProcessAfterChange(effect);
        Dispatch(effect, effClose);
        return faults;
      },
      Settings().childTimeoutSeconds);
  EXPECT_TRUE(outcome.passed) << outcome.message;
}

// The checks above read the ranges from the display; make sure they found
// numbers to read, with the decimals hosts show for percentages and none
// for whole-number parameters.
TEST(BadParameterValues, DisplayShowsNumericRanges) {
  ASSERT_NE(EntryPoint(), nullptr);
  for (int index = 0; index < kNumParams; ++index) {
    const ShownRange& range = RangeOf(index);
    SCOPED_TRACE("parameter " + std::to_string(index) + ": \"" + range.bottomText + "\" .. \"" +
                 range.topText + "\"");
    EXPECT_TRUE(range.Numeric());
    EXPECT_EQ(range.bottom.decimals, range.top.decimals);
    EXPECT_LE(range.bottom.value, range.top.value);
  }
}

}  // namespace
}  // namespace validation
