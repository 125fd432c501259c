#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/PlugParam.h"

namespace {

std::string Text(const PlugParam& param, double v, bool normalized = false, bool texts = true) {
  char out[64];
  param.FormatValue(v, normalized, out, sizeof out, texts);
  return out;
}

void InitPercent(PlugParam& param) { param.InitNumeric("Wow", 0.0, 0.0, 100.0, 0.01, "%"); }

}  // namespace

TEST(PlugParam, CreatedEmpty) {
  PlugParam param;
  EXPECT_EQ(param.Kind(), KindNone);
  EXPECT_EQ(param.Min(), 0.0);
  EXPECT_EQ(param.Max(), 1.0);
  EXPECT_EQ(param.Step(), 1.0);
  EXPECT_EQ(param.Shape(), 1.0);
  EXPECT_STREQ(param.Name(), "");
}

TEST(PlugParam, LinearNormalisationBothWays) {
  PlugParam param;
  InitPercent(param);
  param.SetFromNormalized(0.5);
  EXPECT_EQ(param.Value(), 50.0);
  EXPECT_EQ(param.ToNormalized(50.0), 0.5);
  EXPECT_EQ(param.ToNormalized(150.0), 1.0);
  EXPECT_EQ(param.ToNormalized(-3.0), 0.0);
  // Double parameters are not quantised to their step.
  param.SetFromNormalized(0.123456);
  EXPECT_DOUBLE_EQ(param.Value(), 12.3456);
  // Values outside 0..1 are held at the ends of the range, both of them.
  param.SetFromNormalized(1.5);
  EXPECT_EQ(param.Value(), 100.0);
  param.SetFromNormalized(-0.5);
  EXPECT_EQ(param.Value(), 0.0);
  param.SetFromNormalized(-1e30);
  EXPECT_EQ(param.Value(), 0.0);
  param.SetFromNormalized(-0.0);
  EXPECT_EQ(param.Value(), 0.0);
  EXPECT_FALSE(std::signbit(param.Value()));
}

TEST(PlugParam, OutOfRangeNormalisedValuesOnOtherShapesAndRanges) {
  PlugParam shaped;
  shaped.InitNumeric("Shaped", 0.5, 0, 1, 0.001, "", "", 2.0);
  // A fractional power of a negative number has no value: the bottom is meant.
  shaped.SetFromNormalized(-0.25);
  EXPECT_EQ(shaped.Value(), 0.0);
  PlugParam offset;
  offset.InitInteger("Offset", 0, -12, 12);
  offset.SetFromNormalized(-3.0);
  EXPECT_EQ(offset.Value(), -12.0);
  offset.SetFromNormalized(7.0);
  EXPECT_EQ(offset.Value(), 12.0);
}

TEST(PlugParam, IntegerKindsRoundHalfUpToTheStep) {
  PlugParam param;
  param.InitInteger("Profile", 0, 0, 3);
  EXPECT_EQ(param.Kind(), KindInt);
  param.SetFromNormalized(0.5);  // 1.5
  EXPECT_EQ(param.Value(), 2.0);
  param.SetFromNormalized(0.49);  // 1.47
  EXPECT_EQ(param.Value(), 1.0);
  param.SetFromNormalized(1.0);
  EXPECT_EQ(param.Value(), 3.0);

  // An uninitialised record behaves like an integer one.
  PlugParam none;
  none.SetFromNormalized(0.6);
  EXPECT_EQ(none.Value(), 1.0);
}

TEST(PlugParam, ShapeExponent) {
  PlugParam param;
  param.InitNumeric("Shaped", 0, 0, 1, 0.001, "", "", 2.0);
  param.SetFromNormalized(0.5);
  EXPECT_EQ(param.Value(), 0.25);
  EXPECT_EQ(param.ToNormalized(0.25), 0.5);
  // A shape of 0 keeps the previous one.
  param.InitNumeric("Shaped", 0, 0, 1, 0.001, "", "", 0.0);
  EXPECT_EQ(param.Shape(), 2.0);
}

TEST(PlugParam, InitNumericWidensRangeAndDerivesPrecision) {
  PlugParam param;
  param.InitNumeric("Narrow", 0, 0, 0, 1);
  EXPECT_EQ(param.Max(), 1.0);
  EXPECT_EQ(param.Kind(), KindDouble);
  param.InitNumeric("Narrow", 0, 5, 5.2, 0.5);
  EXPECT_EQ(param.Max(), 5.5);

  const std::pair<double, int> cases[] = {{1, 0}, {0.5, 1}, {0.01, 2}, {0.001, 3}, {1e-9, 6}};
  for (auto [step, precision] : cases) {
    PlugParam p;
    p.InitNumeric("p", 0, 0, 1, step);
    EXPECT_EQ(p.DisplayPrecision(), precision) << step;
  }
  // The kind, once set, stays.
  PlugParam integer;
  integer.InitInteger("i", 0, 0, 1);
  integer.InitNumeric("i", 0, 0, 1, 0.1);
  EXPECT_EQ(integer.Kind(), KindInt);
}

TEST(PlugParam, ValueTexts) {
  PlugParam whole;
  whole.InitInteger("Int", 0, -10, 100);
  EXPECT_EQ(Text(whole, 49.99), "49");  // truncated, not rounded
  EXPECT_EQ(Text(whole, -0.5), "0");
  EXPECT_EQ(Text(whole, 2.0), "2");
  whole.SetNegateDisplay(true);
  EXPECT_EQ(Text(whole, 2.0), "-2");

  PlugParam fraction;
  InitPercent(fraction);
  EXPECT_EQ(Text(fraction, 2.0), "2.00");
  EXPECT_EQ(Text(fraction, 0.25, true), "25.00");
  fraction.SetNegateDisplay(true);
  EXPECT_EQ(Text(fraction, 2.0), "-2.00");

  // Huge and non-finite values still give a bounded text and no undefined conversion.
  EXPECT_EQ(Text(whole, 1e300), "-2147483648");
  char tiny[4];
  fraction.FormatValue(123456.0, false, tiny, sizeof tiny, true);
  EXPECT_EQ(std::string(tiny), "-12");
}

TEST(PlugParam, DisplayTextsNameValuesAndParse) {
  PlugParam param;
  param.InitInteger("Mode", 0, 0, 3);
  param.AddDisplayText(0, "Off");
  param.AddDisplayText(1, "On");
  EXPECT_EQ(Text(param, 1.7), "On");
  EXPECT_EQ(Text(param, 1.7, false, false), "1");
  EXPECT_EQ(Text(param, 3.0), "3");  // no entry for 3
  param.Set(1.7);
  EXPECT_STREQ(param.UnitLabel(), "");

  double parsed = -1;
  EXPECT_TRUE(param.ParseValueText("Off", &parsed));
  EXPECT_EQ(parsed, 0.0);
  parsed = -1;
  EXPECT_FALSE(param.ParseValueText("off", &parsed));
  EXPECT_FALSE(param.ParseValueText("1", &parsed));
  EXPECT_EQ(parsed, -1.0);
}

TEST(PlugParam, ParseUsesLeadingNumber) {
  PlugParam param;
  InitPercent(param);
  double parsed = -1;
  EXPECT_TRUE(param.ParseValueText("42.5 %", &parsed));
  EXPECT_EQ(parsed, 42.5);
  EXPECT_TRUE(param.ParseValueText("loud", &parsed));
  EXPECT_EQ(parsed, 0.0);
  param.SetNegateDisplay(true);
  EXPECT_TRUE(param.ParseValueText("3", &parsed));
  EXPECT_EQ(parsed, -3.0);
  EXPECT_STREQ(param.UnitLabel(), "%");
}

TEST(PlugParam, ClampingWithoutRounding) {
  PlugParam param;
  param.InitInteger("Profile", 0, 0, 3);
  param.SetClamped(1.4);
  EXPECT_EQ(param.Value(), 1.4);
  param.SetClamped(9);
  EXPECT_EQ(param.Value(), 3.0);
  param.SetClamped(-9);
  EXPECT_EQ(param.Value(), 0.0);
  param.SetClamped(std::numeric_limits<double>::infinity());
  EXPECT_EQ(param.Value(), 3.0);
}

TEST(PlugParam, NonFiniteInputNeverBecomesTheValue) {
  PlugParam param;
  InitPercent(param);
  param.SetClamped(40.0);
  param.SetClamped(std::nan(""));
  EXPECT_EQ(param.Value(), 40.0);
  param.SetFromNormalized(std::nan(""));
  EXPECT_EQ(param.Value(), 40.0);
  param.SetFromNormalized(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(param.Value(), 40.0);
  param.SetFromNormalized(std::numeric_limits<double>::infinity());
  EXPECT_EQ(param.Value(), 40.0);
}

TEST(PlugParam, LongTextsAreCut) {
  PlugParam param;
  param.InitNumeric("A parameter name far longer than thirty-one characters", 0, 0, 1, 1);
  EXPECT_EQ(std::string(param.Name()).size(), 31u);
}
