#pragma once
#include <string>
#include <vector>

#include "tools/render/AudioFile.h"

struct RenderOptions {
  std::string pluginPath;
  std::string inputPath;
  std::string outputPath;
  std::string demoClipPath;
  double demoSeconds = 6.0;
  SampleFormat format = SampleFormat::kSameAsInput;
  int blockSize = 512;
  double sampleRate = 0.0;  // 0: the input's rate
  double tailSeconds = 0.0;
  bool list = false;
  std::string program;
  std::vector<std::string> assignments;
  std::string loadFxp, saveFxp, loadFxb, saveFxb;
  std::string editorPng;
  double editorScale = 0.0;  // 0: the editor's own
  bool compensateLatency = true;
  bool useDouble = false;
  bool progress = false;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

// Parses the command line of kestravon-render.
class CommandLine {
 public:
  static constexpr int kMaxBlockSize = 1 << 20;
  // Exit statuses, as the help text states them.
  static constexpr int kExitFailed = 1;
  static constexpr int kExitBadCommandLine = 2;

  // False with a one-line error for unknown options and bad values.
  static bool Parse(int argc, const char* const* argv, RenderOptions* options, std::string* error);
  static const char* HelpText();
  // "kestravon-render <version>", one line.
  static const char* VersionText();
};
