// The CLAP module's parameters as a host lists, shows and reads them, held
// to the VST 2 library's: names, ranges in each parameter's own units,
// defaults, flags, and value texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "host/ClapHost.h"
#include "product/HostParameters.h"
#include "tests/vst2/PluginLibrary.h"

namespace {

// Fractions of a parameter's range, at and between the steps of every kind.
const double kSweep[] = {0.0, 0.125, 0.2, 0.25, 0.3125, 0.5, 0.6, 0.75, 0.875, 0.99, 1.0};

class ClapParameters : public PluginLibrary {
 protected:
  void SetUp() override {
    PluginLibrary::SetUp();
    Dispatch(effOpen);
    ASSERT_EQ(clap.Failure(), "");
    params = clap.Params();
    plugin = clap.Plugin();
  }

  std::string TextOf(clap::clap_id id, double value) {
    char text[256];
    std::memset(text, 'z', sizeof text);
    EXPECT_TRUE(params->value_to_text(plugin, id, value, text, sizeof text)) << id << " " << value;
    return text;
  }
  // A value of the parameter's own range on its grid: whole numbers for the
  // stepped ones.
  static double PlainAt(const ParameterRow& row, double fraction) {
    const double plain = fraction * row.maxValue;
    return row.form == ParamForm::Whole ? std::round(plain) : plain;
  }

  ClapHost clap;
  const clap::clap_plugin_params* params = nullptr;
  const clap::clap_plugin* plugin = nullptr;
};

}  // namespace

TEST_F(ClapParameters, TheNamedSettingsAreListedInTheirOwnRanges) {
  ASSERT_EQ(params->count(plugin), 18u);
  ASSERT_EQ(kHostParameterCount, 18);
  for (uint32_t i = 0; i < 18; ++i) {
    clap::clap_param_info info{};
    ASSERT_TRUE(params->get_info(plugin, i, &info));
    const int id = kHostParameters[i];
    const ParameterRow& row = *ParameterAt(id);
    SCOPED_TRACE(row.name);
    EXPECT_EQ(info.id, static_cast<clap::clap_id>(id));
    EXPECT_EQ(info.name, Text(effGetParamName, id));
    EXPECT_STREQ(info.module, "");
    EXPECT_EQ(info.min_value, 0.0);
    EXPECT_EQ(info.max_value, row.maxValue);
    EXPECT_EQ(info.default_value, row.defaultValue);
    const bool choice = id == kProfile || id == kNoiseType;
    EXPECT_EQ((info.flags & clap::CLAP_PARAM_IS_STEPPED) != 0, choice || id == kPower);
    EXPECT_EQ((info.flags & clap::CLAP_PARAM_IS_ENUM) != 0, choice);
    EXPECT_EQ((info.flags & clap::CLAP_PARAM_IS_BYPASS) != 0, id == kPower);
    EXPECT_NE(info.flags & clap::CLAP_PARAM_IS_AUTOMATABLE, 0u);
    EXPECT_EQ(info.flags & clap::CLAP_PARAM_IS_MODULATABLE, 0u);
    // A new instance plays what a new VST 2 effect plays.
    double value = -1.0;
    ASSERT_TRUE(params->get_value(plugin, info.id, &value));
    EXPECT_FLOAT_EQ(static_cast<float>(value / info.max_value), effect->getParameter(effect, id));
  }
  EXPECT_EQ(kParameterTable[kProfile].maxValue, 3.0);
  EXPECT_EQ(kParameterTable[kNoiseType].maxValue, 4.0);
  clap::clap_param_info info{};
  EXPECT_FALSE(params->get_info(plugin, 18, &info));
  double value = 0.0;
  EXPECT_FALSE(params->get_value(plugin, kUndo, &value)) << "the editor's commands are not listed";
  EXPECT_FALSE(params->get_value(plugin, 1000, &value));
}

TEST_F(ClapParameters, ValueTextsAreTheVst2DisplaysOfTheValueTaken) {
  for (int id : kHostParameters) {
    const ParameterRow& row = *ParameterAt(id);
    for (double fraction : kSweep) {
      const double plain = PlainAt(row, fraction);
      effect->setParameter(effect, id, static_cast<float>(plain / row.maxValue));
      EXPECT_EQ(TextOf(id, plain), Text(effGetParamDisplay, id)) << row.name << " at " << plain;
    }
  }
  // Off the grid, the text is of the value the parameter would take.
  EXPECT_EQ(TextOf(kWow, 33.333), TextOf(kWow, 33.33));
  EXPECT_EQ(TextOf(kNoiseType, 2.6), TextOf(kNoiseType, 3.0));
  EXPECT_EQ(TextOf(kWow, 150.0), TextOf(kWow, 100.0));
  char text[8];
  EXPECT_FALSE(params->value_to_text(plugin, kWow, NAN, text, sizeof text));
  EXPECT_FALSE(params->value_to_text(plugin, kUndo, 0.0, text, sizeof text));
  EXPECT_FALSE(params->value_to_text(plugin, kWow, 1.0, text, 0));
  // A short buffer holds what fits, terminated.
  char tiny[3] = {'x', 'x', 'x'};
  ASSERT_TRUE(params->value_to_text(plugin, kWow, 31.25, tiny, sizeof tiny));
  EXPECT_EQ(std::string(tiny, 2), TextOf(kWow, 31.25).substr(0, 2));
  EXPECT_EQ(tiny[2], '\0');
}

// A text the plug-in showed reads back as a value that shows the same text.
TEST_F(ClapParameters, ValueTextsReadBack) {
  for (int id : kHostParameters) {
    const ParameterRow& row = *ParameterAt(id);
    for (double fraction : kSweep) {
      const std::string text = TextOf(id, PlainAt(row, fraction));
      double read = -1.0;
      ASSERT_TRUE(params->text_to_value(plugin, id, text.c_str(), &read))
          << row.name << " \"" << text << "\"";
      EXPECT_GE(read, 0.0);
      EXPECT_LE(read, row.maxValue);
      EXPECT_EQ(TextOf(id, read), text) << row.name << " read " << read;
    }
  }
  // Typed values come to the parameter's grid and range.
  double read = -1.0;
  ASSERT_TRUE(params->text_to_value(plugin, kNoiseType, "3", &read));
  EXPECT_EQ(read, 3.0);
  ASSERT_TRUE(params->text_to_value(plugin, kWow, "33.333", &read));
  EXPECT_EQ(read, 33.33);
  ASSERT_TRUE(params->text_to_value(plugin, kWow, "250", &read));
  EXPECT_EQ(read, 100.0);
  EXPECT_FALSE(params->text_to_value(plugin, kUndo, "1", &read));
  EXPECT_FALSE(params->text_to_value(plugin, kWow, nullptr, &read));
}
