#include "RenderTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

std::string TempPath(const std::string& name) {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  // One folder per test and per process, so parallel runs never share files.
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) /
                                    ("kestravon-render-tests-" + std::to_string(getpid())) /
                                    (std::string(test->test_suite_name()) + "." + test->name());
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

RunResult RunRender(const std::vector<std::string>& args) {
  const std::string outPath = TempPath("run.stdout");
  const std::string errPath = TempPath("run.stderr");
  std::string command = Quote(RENDER_EXE);
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " </dev/null >" + Quote(outPath) + " 2>" + Quote(errPath);
  const int status = std::system(command.c_str());
  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(outPath);
  result.err = ReadText(errPath);
  return result;
}

// Lines of --list read "%4d  %-24s %-20s %-32s %.6f": index, name, display
// and unit, the values the parameter takes, normalised value.
ListedParameter FindListed(const std::string& listOutput, const std::string& name) {
  constexpr size_t kNameColumn = 6, kNameWidth = 24, kDisplayColumn = 31, kDisplayWidth = 20;
  auto trimmed = [](std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text.erase(0, text.find_first_not_of(' '));
  };
  for (const std::string& line : Lines(listOutput)) {
    if (line.size() <= kDisplayColumn + kDisplayWidth ||
        trimmed(line.substr(kNameColumn, kNameWidth)) != name) {
      continue;
    }
    const std::string rest = line.substr(kDisplayColumn + kDisplayWidth);
    return {trimmed(line.substr(kDisplayColumn, kDisplayWidth)),
            trimmed(rest.substr(0, rest.find_last_of(' ')))};
  }
  return {};
}

AudioData ReadAudio(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  AudioData audio;
  if (!file) {
    ADD_FAILURE() << "cannot read " << path;
    return audio;
  }
  audio.channels = info.channels;
  audio.sampleRate = info.samplerate;
  audio.samples.resize(static_cast<size_t>(info.frames) * info.channels);
  sf_readf_double(file, audio.samples.data(), info.frames);
  sf_close(file);
  return audio;
}

void WriteAudio(const std::string& path, const AudioData& audio) {
  SF_INFO info{};
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  info.channels = audio.channels;
  info.samplerate = audio.sampleRate;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << path;
  sf_writef_double(file, audio.samples.data(), static_cast<sf_count_t>(audio.Frames()));
  sf_close(file);
}

AudioData TestSignal(int channels, int frames, int sampleRate) {
  AudioData audio{channels, sampleRate, {}};
  uint32_t state = 12345u;
  for (int i = 0; i < channels * frames; ++i) {
    state = state * 1664525u + 1013904223u;
    // Values that a float holds exactly, so float and double paths agree.
    audio.samples.push_back(static_cast<float>((static_cast<int>(state >> 16) - 32768) / 65536.0));
  }
  return audio;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}
