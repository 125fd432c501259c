// Runs the built kestravon-render as a process, as users and scripts do.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "RenderTestSupport.h"

namespace {

void ExpectOneLineError(const RunResult& run, const std::string& part) {
  EXPECT_NE(run.exitCode, 0);
  EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  EXPECT_EQ(run.err.rfind("kestravon-render: error: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
}

void ExpectBadCommandLine(const RunResult& run, const std::string& part) {
  EXPECT_EQ(run.exitCode, 2) << run.err;
  ExpectOneLineError(run, part);
}

std::string WriteClip(int channels = 2, int frames = 4000) {
  const std::string path = TempPath("in.wav");
  WriteAudio(path, TestSignal(channels, frames, 44100));
  return path;
}

TEST(RenderCliTest, FakeDelayRendersAlignedFloatWav) {
  const std::string in = WriteClip();
  const std::string out = TempPath("out.wav");
  const RunResult run = RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output", out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAudio(out).samples, ReadAudio(in).samples);
  EXPECT_NE(run.err.find("latency of 100 samples compensated"), std::string::npos) << run.err;
}

TEST(RenderCliTest, MonoInputGivesStereoOutputAndSaysSo) {
  const std::string in = WriteClip(1);
  const std::string out = TempPath("out.flac");
  const RunResult run = RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output", out,
                                   "--format", "pcm16", "--tail", "0.01"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("mono input"), std::string::npos) << run.err;
  const AudioData audio = ReadAudio(out);
  EXPECT_EQ(audio.channels, 2);
  EXPECT_EQ(audio.Frames(), 4000u + 441u);
}

TEST(RenderCliTest, ListShowsParametersAndPrograms) {
  const RunResult run =
      RunRender({"--plugin", FAKE_PLUGIN, "--program", "beta", "--set", "Gain=1.5", "--list"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("parameters: 2"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Gain"), std::string::npos);
  EXPECT_NE(run.out.find("1.50 x"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("programs: 3 (current 1)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("   2  Gamma"), std::string::npos) << run.out;
}

// Save, load into a fresh process, save again: the files must be equal.
void ExpectRoundTrip(const char* plugin, const char* saveOption, const char* loadOption,
                     const std::vector<std::string>& changes) {
  const std::string first = TempPath(std::string("first") + (saveOption + 6));
  const std::string second = TempPath(std::string("second") + (saveOption + 6));
  std::vector<std::string> args = {"--plugin", plugin, saveOption, first};
  args.insert(args.end(), changes.begin(), changes.end());
  const RunResult save = RunRender(args);
  ASSERT_EQ(save.exitCode, 0) << save.err;
  const RunResult reload = RunRender({"--plugin", plugin, loadOption, first, saveOption, second});
  ASSERT_EQ(reload.exitCode, 0) << reload.err;
  const auto bytes = ReadBytes(first);
  EXPECT_GT(bytes.size(), 56u);
  EXPECT_TRUE(ReadBytes(second) == bytes) << saveOption << " differs after reloading";
}

TEST(RenderCliTest, FxpAndFxbRoundTripThroughParameters) {
  const std::vector<std::string> changes = {"--program", "2", "--set", "Mode=On"};
  ExpectRoundTrip(FAKE_PLUGIN, "--save-fxp", "--load-fxp", changes);
  ExpectRoundTrip(FAKE_PLUGIN, "--save-fxb", "--load-fxb", changes);
}

TEST(RenderCliTest, FxpAndFxbRoundTripThroughChunks) {
  const std::vector<std::string> changes = {"--program", "2", "--set", "Gain=n:0.3"};
  ExpectRoundTrip(FAKE_CHUNK_PLUGIN, "--save-fxp", "--load-fxp", changes);
  ExpectRoundTrip(FAKE_CHUNK_PLUGIN, "--save-fxb", "--load-fxb", changes);
  const std::string fxp = TempPath("chunk.fxp");
  ASSERT_EQ(RunRender({"--plugin", FAKE_CHUNK_PLUGIN, "--save-fxp", fxp}).exitCode, 0);
  const auto bytes = ReadBytes(fxp);
  ASSERT_GT(bytes.size(), 12u);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FPCh");
}

TEST(RenderCliTest, ProgramFileOfAnotherPluginIsRefused) {
  const std::string fxp = TempPath("fake.fxp");
  ASSERT_EQ(RunRender({"--plugin", FAKE_PLUGIN, "--save-fxp", fxp}).exitCode, 0);
  std::vector<unsigned char> bytes = ReadBytes(fxp);
  bytes[16] = 'X';
  {
    std::FILE* file = std::fopen(fxp.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--load-fxp", fxp}), "belongs to");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--load-fxb", fxp}), "not a bank");
}

TEST(RenderCliTest, ErrorsAreOneLineWithNonZeroStatus) {
  const std::string in = WriteClip();
  const std::string out = TempPath("out.wav");
  ExpectOneLineError(
      RunRender({"--plugin", FAKE_PLUGIN, "--input", TempPath("missing.wav"), "--output", out}),
      "missing.wav");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--set", "Volume=3", "--list"}),
                     "unknown parameter");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--program", "Delta", "--list"}),
                     "unknown program");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--program", "3", "--list"}),
                     "unknown program");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output", in}),
                     "would overwrite the input");
  EXPECT_EQ(ReadAudio(in).Frames(), 4000u);
  ExpectBadCommandLine(RunRender({"--plugin", TempPath("nothing.so"), "--list"}),
                       "nothing.so: no such file");
  ExpectOneLineError(RunRender({"--plugin", NO_ENTRY_LIBRARY, "--list"}), "entry point");
  ExpectOneLineError(RunRender({"--plugin", BAD_MAGIC_PLUGIN, "--list"}), "magic");
  ExpectOneLineError(
      RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output", TempPath("out.mp9")}),
      "unsupported output format");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output",
                                TempPath("out.flac"), "--format", "float"}),
                     "cannot hold");
  const std::string notAudio = TempPath("text.wav");
  {
    std::FILE* file = std::fopen(notAudio.c_str(), "w");
    std::fputs("not a sound file\n", file);
    std::fclose(file);
  }
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--input", notAudio, "--output", out}),
                     "cannot read");
  const RunResult notPlugin = RunRender({"--plugin", notAudio, "--list"});
  EXPECT_EQ(notPlugin.exitCode, 1);
  ExpectOneLineError(notPlugin, "cannot load");
  ExpectOneLineError(RunRender({"--plugin", FAKE_PLUGIN, "--input", WriteClip(3), "--output", out}),
                     "3 channels");
}

TEST(RenderCliTest, BadCommandLinesExitWithStatus2) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--block-size", "0", "--list"},
        {"--block-size", "12x", "--list"},
        {"--format", "mp3", "--list"},
        {"--tail", "-1", "--list"},
        {"--frobnicate"},
        {"--plugin"},
        {"--input", "a.wav"},
        {"--sample-rate", "999", "--list"},
        {"--sample-rate", "nan", "--list"},
        {"--seconds", "0", "--demo-clip", "a.wav"},
        {"--tail", "1s", "--list"},
        {"--block-size", "2000000", "--list"},
        {"--plugin", "", "--list"},
        {"--program", "", "--list"},
        {"--set", "", "--list"},
        {"--input", "", "--output", "b.wav"},
        {}}) {
    const RunResult run = RunRender(args);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  }
  const RunResult help = RunRender({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--set NAME=VALUE"), std::string::npos);
}

// A refused run leaves every file it would have written as it was.
class RefusedRunTest : public testing::Test {
 protected:
  void SetUp() override {
    input = WriteClip();
    output = TempPath("out.wav");
    WriteAudio(output, TestSignal(1, 10, 8000));
    outputBytes = ReadBytes(output);
    outputTime = std::filesystem::last_write_time(output);
  }
  // Runs with an output that exists and a program file and a demo clip that
  // do not, after the given arguments.
  RunResult Run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--plugin",    FAKE_PLUGIN,
                                    "--input",     input,
                                    "--output",    output,
                                    "--save-fxp",  TempPath("saved.fxp"),
                                    "--demo-clip", TempPath("clip.wav")};
    all.insert(all.end(), args.begin(), args.end());
    return RunRender(all);
  }
  void TearDown() override {
    EXPECT_FALSE(std::filesystem::exists(TempPath("saved.fxp")));
    EXPECT_FALSE(std::filesystem::exists(TempPath("clip.wav")));
    EXPECT_TRUE(ReadBytes(output) == outputBytes);
    EXPECT_EQ(std::filesystem::last_write_time(output), outputTime);
  }
  std::string input, output;
  std::vector<unsigned char> outputBytes;
  std::filesystem::file_time_type outputTime;
};

TEST_F(RefusedRunTest, ValuesOutsideTheRangeOrChoicesSayWhatTheParameterTakes) {
  for (const std::string gain : {"2.5", "-0.5", "abc", "1.5 dB", "0x1", "inf"}) {
    ExpectBadCommandLine(Run({"--set", "Gain=" + gain}),
                         "--set Gain=" + gain + ": Gain takes 0.00 to 2.00 x");
  }
  // The fake shows its modes by name only: a number is none of them.
  for (const std::string mode : {"Maybe", "1"}) {
    ExpectBadCommandLine(Run({"--set", "mode=" + mode}),
                         "--set mode=" + mode + ": Mode takes Off, On");
  }
  ExpectBadCommandLine(Run({"--set", "Gain=n:1.5"}), "from 0 to 1");
  ExpectBadCommandLine(Run({"--set", "Volume=3"}),
                       "unknown parameter 'Volume'; the parameters are Gain, Mode");
}

TEST_F(RefusedRunTest, UnknownProgramsAndMissingInputFiles) {
  ExpectBadCommandLine(Run({"--program", "Delta"}), "unknown program 'Delta'");
  ExpectBadCommandLine(Run({"--program", "3"}), "unknown program 3");
  for (const char* option : {"--load-fxp", "--load-fxb", "--plugin"}) {
    ExpectBadCommandLine(Run({option, TempPath("missing")}), "missing: no such file");
  }
  ExpectBadCommandLine(Run({"--input", TempPath("missing.wav")}), "missing.wav: no such file");
}

TEST_F(RefusedRunTest, OutputsThatCannotBeWrittenAreRefusedFirst) {
  ExpectBadCommandLine(Run({"--output", TempPath("out.mp9")}), "unsupported output format");
  ExpectBadCommandLine(Run({"--output", TempPath("out.flac"), "--format", "float"}), "cannot hold");
  ExpectBadCommandLine(Run({"--demo-clip", TempPath("clip.ogg")}), "unsupported output format");
  ExpectBadCommandLine(Run({"--output", input}), "would overwrite the input");
}

// The fake cannot format values it does not hold, so listing what each
// parameter takes sets every value in turn: the ones set before are put back.
TEST(RenderCliTest, ValuesTakenAsListed) {
  const std::string fxp = TempPath("listed.fxp");
  const RunResult run = RunRender({"--plugin", FAKE_PLUGIN, "--set", "Gain=1.5 X", "--set",
                                   " MODE = on ", "--list", "--save-fxp", fxp});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(FindListed(run.out, "Gain").display, "1.50 x");
  EXPECT_EQ(FindListed(run.out, "Gain").values, "0.00 to 2.00 x");
  EXPECT_EQ(FindListed(run.out, "Mode").display, "On");
  EXPECT_EQ(FindListed(run.out, "Mode").values, "Off, On");
  const RunResult saved = RunRender({"--plugin", FAKE_PLUGIN, "--load-fxp", fxp, "--list"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_EQ(FindListed(saved.out, "Gain").display, "1.50 x");
  EXPECT_EQ(FindListed(saved.out, "Mode").display, "On");
}

TEST(RenderCliTest, DemoClipWrittenInTheSameRunCanBeItsInput) {
  const std::string clip = TempPath("clip.wav");
  const RunResult run = RunRender({"--plugin", FAKE_PLUGIN, "--demo-clip", clip, "--seconds", "0.5",
                                   "--input", clip, "--output", TempPath("out.wav"), "-q"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadAudio(TempPath("out.wav")).Frames(), 22050u);
}

TEST(RenderCliTest, VersionIsTheProjectsAndHelpNamesIt) {
  const RunResult version = RunRender({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "kestravon-render " KESTRAVON_PROJECT_VERSION "\n");
  EXPECT_EQ(version.err, "");
  // Asking for the version does nothing else, whatever else is asked.
  const std::string out = TempPath("never.wav");
  const RunResult withWork = RunRender({"--version", "--demo-clip", out});
  EXPECT_EQ(withWork.exitCode, 0);
  EXPECT_EQ(withWork.out, version.out);
  EXPECT_FALSE(std::filesystem::exists(out));
  const RunResult help = RunRender({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("\n  --version "), std::string::npos) << help.out;
}

TEST(RenderCliTest, DemoClipIsDeterministic) {
  const std::string a = TempPath("a.wav");
  const std::string b = TempPath("b.wav");
  ASSERT_EQ(RunRender({"--demo-clip", a, "--quiet"}).exitCode, 0);
  // A second apart, so nothing time-dependent can slip into the file.
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  ASSERT_EQ(RunRender({"--demo-clip", b, "--quiet"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(a), ReadBytes(b));
  const AudioData clip = ReadAudio(a);
  EXPECT_EQ(clip.channels, 2);
  EXPECT_EQ(clip.sampleRate, 44100);
  EXPECT_EQ(clip.Frames(), 6u * 44100u);
  double peak = 0.0;
  for (double v : clip.samples) peak = std::max(peak, std::fabs(v));
  EXPECT_GT(peak, 0.2);
  EXPECT_LT(peak, 1.0);
}

TEST(RenderCliTest, ProgressBarOnlyWhenAsked) {
  const std::string in = WriteClip();
  const RunResult quiet =
      RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output", TempPath("q.wav"), "-q"});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");
  const RunResult shown = RunRender({"--plugin", FAKE_PLUGIN, "--input", in, "--output",
                                     TempPath("p.wav"), "--progress", "--block-size", "100"});
  EXPECT_EQ(shown.exitCode, 0);
  EXPECT_NE(shown.err.find("100%"), std::string::npos) << shown.err;
}

}  // namespace
