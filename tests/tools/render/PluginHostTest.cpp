#include <gtest/gtest.h>

#include "tools/render/ParameterSetter.h"
#include "tools/render/PluginHost.h"
#include "tools/render/PresetTransfer.h"

namespace {

class FakeHostTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(host.Load(FAKE_PLUGIN, &error)) << error;
    host.Open(44100.0, 512);
  }
  PluginHost host;
  ParameterSetter setter{host};
};

TEST(PluginHostLoadTest, ExplainsWhyALibraryIsNoPlugin) {
  PluginHost host;
  std::string error;
  EXPECT_FALSE(host.Load("/nonexistent/Plugin.so", &error));
  EXPECT_NE(error.find("cannot load"), std::string::npos) << error;
  EXPECT_FALSE(host.Load(NO_ENTRY_LIBRARY, &error));
  EXPECT_NE(error.find("no VST 2 entry point"), std::string::npos) << error;
  EXPECT_FALSE(host.Load(BAD_MAGIC_PLUGIN, &error));
  EXPECT_NE(error.find("magic"), std::string::npos) << error;
}

TEST_F(FakeHostTest, ReadsNamesProgramsAndLatency) {
  EXPECT_EQ(host.EffectName(), "Fake delay");
  EXPECT_EQ(host.ParamName(0), "Gain");
  EXPECT_EQ(host.ParamDisplay(0), "1.00");
  EXPECT_EQ(host.ParamName(7), "");
  EXPECT_EQ(host.ProgramName(2), "Gamma");
  EXPECT_EQ(host.ProgramName(3), "");
  EXPECT_EQ(host.Latency(), 100);
}

TEST_F(FakeHostTest, SetSearchesDisplayTextsWhenThePluginCannotParse) {
  std::string error;
  ASSERT_TRUE(setter.Apply("gain = 1.5", &error)) << error;
  EXPECT_EQ(host.ParamDisplay(0), "1.50");
  ASSERT_TRUE(setter.Apply("Mode=on", &error)) << error;
  EXPECT_EQ(host.ParamDisplay(1), "On");
  ASSERT_TRUE(setter.Apply("Gain=n:0.125", &error)) << error;
  EXPECT_EQ(host.GetParam(0), 0.125f);
}

TEST_F(FakeHostTest, SetRejectsUnknownNamesAndValues) {
  std::string error;
  EXPECT_FALSE(setter.Apply("Volume=3", &error));
  EXPECT_NE(error.find("unknown parameter 'Volume'"), std::string::npos) << error;
  EXPECT_FALSE(setter.Apply("Mode=Maybe", &error));
  EXPECT_FALSE(setter.Apply("Gain=n:1.5", &error));
  EXPECT_FALSE(setter.Apply("Gain", &error));
}

TEST_F(FakeHostTest, ProgramAndBankSurviveCaptureAndApply) {
  PresetTransfer transfer(host);
  std::string error;
  host.SetProgram(1);
  host.SetParam(0, 0.75f);
  const FxProgram program = transfer.CaptureProgram();
  EXPECT_EQ(program.name, "Beta");
  EXPECT_EQ(program.params, (std::vector<float>{0.75f, 1.0f}));
  const FxBank bank = transfer.CaptureBank();
  EXPECT_EQ(bank.currentProgram, 1);
  ASSERT_EQ(bank.programs.size(), 3u);

  PluginHost other;
  ASSERT_TRUE(other.Load(FAKE_PLUGIN, &error)) << error;
  PresetTransfer otherTransfer(other);
  ASSERT_TRUE(otherTransfer.ApplyBank(bank, &error)) << error;
  EXPECT_EQ(other.CurrentProgram(), 1);
  EXPECT_EQ(other.GetParam(0), 0.75f);
  other.SetProgram(2);
  ASSERT_TRUE(otherTransfer.ApplyProgram(program, &error)) << error;
  EXPECT_EQ(other.CurrentProgramName(), "Beta");

  FxProgram foreign = program;
  foreign.fxId = 0x58585858;
  EXPECT_FALSE(otherTransfer.ApplyProgram(foreign, &error));
  EXPECT_NE(error.find("'XXXX'"), std::string::npos) << error;
}

}  // namespace
