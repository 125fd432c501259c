// Renders through a VST 2 plug-in we did not write, installed from Debian
// by scripts/install-deps.sh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "RenderTestSupport.h"

namespace {

std::string FindThirdPartyPlugin() {
  for (const char* path :
       {"/usr/lib/lxvst/DragonflyRoomReverb-vst.so", "/usr/lib/vst/DragonflyRoomReverb-vst.so"}) {
    if (std::filesystem::is_regular_file(path)) return path;
  }
  return {};
}

class ThirdPartyPluginTest : public testing::Test {
 protected:
  void SetUp() override {
    plugin = FindThirdPartyPlugin();
    ASSERT_FALSE(plugin.empty())
        << "DragonflyRoomReverb-vst.so is not under /usr/lib/lxvst or /usr/lib/vst: install the "
           "Debian package dragonfly-reverb-vst (bash scripts/install-deps.sh)";
    input = TempPath("in.wav");
    ASSERT_EQ(RunRender({"--demo-clip", input, "--seconds", "1.5", "-q"}).exitCode, 0);
  }
  std::string plugin;
  std::string input;
};

TEST_F(ThirdPartyPluginTest, ListsItsParameters) {
  const RunResult run = RunRender({"--plugin", plugin, "--list"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Dragonfly Room Reverb"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Decay"), std::string::npos) << run.out;
}

TEST_F(ThirdPartyPluginTest, RendersAtOddBlockSizesWithTextSettings) {
  const AudioData dry = ReadAudio(input);
  for (const char* blockSize : {"4097", "512", "3"}) {
    const std::string out = TempPath(std::string("wet") + blockSize + ".wav");
    const RunResult run =
        RunRender({"--plugin", plugin, "--input", input, "--output", out, "--block-size", blockSize,
                   "--set", "Decay=2.5", "--set", "Dry Level=0", "--tail", "0.5", "--list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("2.500000 s"), std::string::npos) << run.out;
    const AudioData wet = ReadAudio(out);
    ASSERT_EQ(wet.channels, 2);
    ASSERT_EQ(wet.Frames(), dry.Frames() + 22050) << blockSize;
    EXPECT_TRUE(std::all_of(wet.samples.begin(), wet.samples.end(),
                            [](double v) { return std::isfinite(v); }));
    double difference = 0.0;
    for (size_t i = 0; i < dry.samples.size(); ++i) {
      difference = std::max(difference, std::fabs(wet.samples[i] - dry.samples[i]));
    }
    EXPECT_GT(difference, 0.01) << "the reverb left the clip unchanged";
    // The reverb rings on into the tail.
    double tailPeak = 0.0;
    for (size_t i = dry.samples.size(); i < wet.samples.size(); ++i) {
      tailPeak = std::max(tailPeak, std::fabs(wet.samples[i]));
    }
    EXPECT_GT(tailPeak, 1e-3) << blockSize;
  }
}

// It cannot format values it does not hold: its ranges are read by setting
// each value in turn.
TEST_F(ThirdPartyPluginTest, ValuesOutsideItsRangesAreRefused) {
  const RunResult list = RunRender({"--plugin", plugin, "--set", "Decay=2.5", "--list"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const ListedParameter decay = FindListed(list.out, "Decay");
  EXPECT_EQ(decay.display, "2.500000 s");
  ASSERT_NE(decay.values.find(" to "), std::string::npos) << list.out;
  const std::string out = TempPath("never.wav");
  for (const char* value : {"500", "-1", "long"}) {
    const RunResult run = RunRender({"--plugin", plugin, "--input", input, "--output", out, "--set",
                                     std::string("Decay=") + value});
    EXPECT_EQ(run.exitCode, 2) << value;
    EXPECT_NE(run.err.find("Decay takes " + decay.values), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << value;
  }
}

TEST_F(ThirdPartyPluginTest, ProgramFileRoundTrips) {
  const std::string first = TempPath("first.fxp");
  const std::string second = TempPath("second.fxp");
  ASSERT_EQ(RunRender({"--plugin", plugin, "--set", "Size=30", "--save-fxp", first}).exitCode, 0);
  const RunResult run = RunRender({"--plugin", plugin, "--load-fxp", first, "--save-fxp", second});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(ReadBytes(first) == ReadBytes(second));
}

}  // namespace
