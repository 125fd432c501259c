// kestravon-render against the plug-in this tree builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "RenderTestSupport.h"

namespace {

const std::vector<std::string> kProgramNames = {"init",
                                                "Bass guitar heavy",
                                                "Drum loop cassette",
                                                "Drum loop lo-fi",
                                                "Drum loop vinyl",
                                                "Enhance drums",
                                                "Kestravon tape",
                                                "Overdrive",
                                                "Synth enhancer",
                                                "Synth quad",
                                                "Synth widener",
                                                "Vinyl rain piano",
                                                "Warm rhodes",
                                                "Warm rhodes 2",
                                                "Wide drums",
                                                "Wide rich overdrive"};

class KestravonRenderTest : public testing::Test {
 protected:
  void SetUp() override {
    clip = TempPath("clip.wav");
    ASSERT_EQ(RunRender({"--demo-clip", clip, "--seconds", "1.5", "-q"}).exitCode, 0);
  }
  AudioData Render(const std::vector<std::string>& extra, const std::string& name) {
    const std::string out = TempPath(name);
    std::vector<std::string> args = {"--plugin", KESTRAVON_PLUGIN, "--input", clip, "--output", out,
                                     "-q"};
    args.insert(args.end(), extra.begin(), extra.end());
    const RunResult run = RunRender(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadAudio(out);
  }
  std::string clip;
};

bool AllFinite(const AudioData& audio) {
  return std::all_of(audio.samples.begin(), audio.samples.end(),
                     [](double v) { return std::isfinite(v); });
}

TEST_F(KestravonRenderTest, ListsTheParametersAndTheSixteenPrograms) {
  const RunResult run = RunRender({"--plugin", KESTRAVON_PLUGIN, "--list"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto lines = Lines(run.out);
  const auto params = std::find(lines.begin(), lines.end(), "parameters: 26");
  ASSERT_NE(params, lines.end()) << run.out;
  const auto programs = std::find(lines.begin(), lines.end(), "programs: 16 (current 0)");
  ASSERT_NE(programs, lines.end()) << run.out;
  EXPECT_EQ(programs - params, 27);
  for (size_t i = 0; i < kProgramNames.size(); ++i) {
    ASSERT_LT(programs + 1 + i, lines.end());
    const std::string& line = programs[1 + i];
    EXPECT_EQ(line.substr(line.find_first_not_of(' ')),
              std::to_string(i) + "  " + kProgramNames[i]);
  }
}

TEST_F(KestravonRenderTest, NoisyProgramKeepsTheLengthAndChangesTheSound) {
  const AudioData dry = ReadAudio(clip);
  const AudioData wet = Render({"--program", "Drum loop vinyl"}, "vinyl.wav");
  ASSERT_EQ(wet.channels, 2);
  ASSERT_EQ(wet.Frames(), dry.Frames());
  EXPECT_TRUE(AllFinite(wet));
  double difference = 0.0;
  for (size_t i = 0; i < dry.samples.size(); ++i) {
    difference = std::max(difference, std::fabs(wet.samples[i] - dry.samples[i]));
  }
  EXPECT_GT(difference, 0.01);
}

TEST_F(KestravonRenderTest, CompensationDropsExactlyTheLatency) {
  const AudioData aligned = Render({"--program", "Kestravon tape"}, "aligned.wav");
  const AudioData raw =
      Render({"--program", "Kestravon tape", "--no-latency-compensation"}, "raw.wav");
  ASSERT_EQ(aligned.Frames(), raw.Frames());
  const size_t latency = 1378 * 2;
  ASSERT_GT(raw.samples.size(), latency);
  EXPECT_TRUE(
      std::equal(raw.samples.begin() + latency, raw.samples.end(), aligned.samples.begin()));
}

TEST_F(KestravonRenderTest, LatencyAnnouncedInTheFirstBlockIsCompensated) {
  // At 48 kHz the plug-in restates its latency (1499) while processing.
  const std::string clip48 = TempPath("clip48.wav");
  ASSERT_EQ(RunRender({"--demo-clip", clip48, "--seconds", "0.5", "--sample-rate", "48000", "-q"})
                .exitCode,
            0);
  const RunResult run = RunRender(
      {"--plugin", KESTRAVON_PLUGIN, "--input", clip48, "--output", TempPath("out48.wav")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("latency of 1499 samples compensated"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAudio(TempPath("out48.wav")).Frames(), 24000u);
}

TEST_F(KestravonRenderTest, OddBlockSizesAndDoublePrecisionStayFinite) {
  const AudioData dry = ReadAudio(clip);
  for (const std::vector<std::string>& extra : {std::vector<std::string>{"--block-size", "1"},
                                                {"--block-size", "4097"},
                                                {"--block-size", "1025", "--double"}}) {
    std::vector<std::string> args = {"--program", "Vinyl rain piano"};
    args.insert(args.end(), extra.begin(), extra.end());
    const AudioData wet = Render(args, "odd.wav");
    EXPECT_EQ(wet.Frames(), dry.Frames()) << extra[1];
    EXPECT_TRUE(AllFinite(wet)) << extra[1];
  }
}

TEST_F(KestravonRenderTest, ProgramAndBankFilesRoundTrip) {
  for (const char* kind : {"fxp", "fxb"}) {
    const std::string first = TempPath(std::string("first.") + kind);
    const std::string second = TempPath(std::string("second.") + kind);
    const std::string save = std::string("--save-") + kind;
    const std::string load = std::string("--load-") + kind;
    const RunResult saved = RunRender({"--plugin", KESTRAVON_PLUGIN, "--program", "Warm rhodes",
                                       "--set", "Wow=12.5", save, first});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const RunResult reloaded = RunRender({"--plugin", KESTRAVON_PLUGIN, load, first, save, second});
    ASSERT_EQ(reloaded.exitCode, 0) << reloaded.err;
    const auto bytes = ReadBytes(first);
    ASSERT_GT(bytes.size(), 56u) << kind;
    EXPECT_TRUE(ReadBytes(second) == bytes) << kind << " differs after reloading";
  }
}

// Hosts read the plug-in's version as the decimal MMmmpp; it and the render
// host's text must name the same release.
TEST_F(KestravonRenderTest, PluginAndRenderHostReportTheSameVersion) {
  const RunResult list = RunRender({"--plugin", KESTRAVON_PLUGIN, "--list"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const size_t at = list.out.find(", version ");
  ASSERT_NE(at, std::string::npos) << list.out;
  const long code = std::stol(list.out.substr(at + 10));
  const std::string decoded = std::to_string(code / 10000) + "." +
                              std::to_string(code / 100 % 100) + "." + std::to_string(code % 100);
  EXPECT_EQ(RunRender({"--version"}).out, "kestravon-render " + decoded + "\n");
}

TEST_F(KestravonRenderTest, UnknownNamesAreErrors) {
  const RunResult parameter = RunRender({"--plugin", KESTRAVON_PLUGIN, "--set", "Flutter=3"});
  EXPECT_EQ(parameter.exitCode, 2);
  EXPECT_NE(parameter.err.find("unknown parameter 'Flutter'; the parameters are Input Gain, "
                               "Profile, Noise amp,"),
            std::string::npos)
      << parameter.err;
  const RunResult program = RunRender({"--plugin", KESTRAVON_PLUGIN, "--program", "Jazz"});
  EXPECT_EQ(program.exitCode, 2);
  EXPECT_NE(program.err.find("unknown program 'Jazz'"), std::string::npos);
  const RunResult unnamed = RunRender({"--plugin", KESTRAVON_PLUGIN, "--set", "=1"});
  EXPECT_EQ(unnamed.exitCode, 2);
  EXPECT_NE(unnamed.err.find("unknown parameter ''"), std::string::npos) << unnamed.err;
}

// What --list says each parameter takes is what a refused value is told.
TEST_F(KestravonRenderTest, MistypedValuesStopTheRunBeforeAnythingIsWritten) {
  const RunResult list = RunRender({"--plugin", KESTRAVON_PLUGIN, "--list"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(FindListed(list.out, "Wow").values, "0.00 to 100.00 %");
  EXPECT_EQ(FindListed(list.out, "Profile").values, "A (0), B (1), C (2), Off (3)");
  EXPECT_EQ(FindListed(list.out, "Noise type").values,
            "Noise 1 (0), Noise 2 (1), Vinyl 1 (2), Vinyl 2 (3), Brown (4)");
  EXPECT_EQ(FindListed(list.out, "Power").values, "On (0), Off (1)");
  const std::string out = TempPath("never.wav");
  const std::string fxp = TempPath("never.fxp");
  for (const auto& [name, value] :
       std::vector<std::pair<std::string, std::string>>{{"Wow", "abc"},
                                                        {"Wow", "500"},
                                                        {"Wow", "-5"},
                                                        {"Wow", "40 dB"},
                                                        {"Profile", "7"},
                                                        {"Profile", "1.5"},
                                                        {"Profile", "D"},
                                                        {"Noise type", "Vinyl 3"},
                                                        {"Power", "2"},
                                                        {"Power", "maybe"}}) {
    const std::string set = name + "=" + value;
    const RunResult run = RunRender({"--plugin", KESTRAVON_PLUGIN, "--input", clip, "--output", out,
                                     "--save-fxp", fxp, "--set", set});
    EXPECT_EQ(run.exitCode, 2) << set;
    EXPECT_EQ(run.err, "kestravon-render: error: --set " + set + ": " + name + " takes " +
                           FindListed(list.out, name).values + "\n");
    EXPECT_FALSE(std::filesystem::exists(out)) << set;
    EXPECT_FALSE(std::filesystem::exists(fxp)) << set;
  }
}

TEST_F(KestravonRenderTest, ChoicesByNameInAnyCaseAndNumbersAsBefore) {
  // Every whole value of every choice is reached by its own name.
  for (const auto& [name, choices] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"Profile", {"a", "B", "c", "OFF"}},
           {"Noise type", {"Noise 1", "NOISE 2", "vinyl 1", "Vinyl 2", "bRoWn"}},
           {"Power", {"on", "Off"}}}) {
    for (size_t value = 0; value < choices.size(); ++value) {
      const RunResult run =
          RunRender({"--plugin", KESTRAVON_PLUGIN, "--set", name + "=" + choices[value], "--list"});
      ASSERT_EQ(run.exitCode, 0) << run.err;
      EXPECT_EQ(FindListed(run.out, name).display, std::to_string(value)) << choices[value];
    }
  }
  const RunResult numbers =
      RunRender({"--plugin", KESTRAVON_PLUGIN, "--set", "Noise type=4", "--set", "Profile=3.0",
                 "--set", "Power=1", "--set", "Wow=12.5 %", "--set", "Speed=100", "--list"});
  ASSERT_EQ(numbers.exitCode, 0) << numbers.err;
  EXPECT_EQ(FindListed(numbers.out, "Noise type").display, "4");
  EXPECT_EQ(FindListed(numbers.out, "Profile").display, "3");
  EXPECT_EQ(FindListed(numbers.out, "Power").display, "1");
  EXPECT_EQ(FindListed(numbers.out, "Wow").display, "12.50 %");
  EXPECT_EQ(FindListed(numbers.out, "Speed").display, "100.00 %");
}

}  // namespace
