#include "tools/render/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#ifndef KESTRAVON_VERSION
#error "KESTRAVON_VERSION must be the project's version, from CMake"
#endif

namespace {

bool ParseNumber(const std::string& text, double* value) {
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(*value);
}

bool ParseInt(const std::string& text, long* value) {
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0';
}

class ArgReader {
 public:
  ArgReader(int argc, const char* const* argv) : argc(argc), argv(argv) {}
  bool Done() const { return next >= argc; }
  std::string Take() { return argv[next++]; }

 private:
  int argc;
  const char* const* argv;
  int next = 1;
};

bool ParseValueOption(const std::string& option, const std::string& value, RenderOptions* options,
                      std::string* error) {
  double number = 0.0;
  long integer = 0;
  auto bad = [&](const char* what) {
    *error = "bad value for " + option + ": '" + value + "' (" + what + ")";
    return false;
  };
  if (option == "--plugin")
    options->pluginPath = value;
  else if (option == "--input")
    options->inputPath = value;
  else if (option == "--output")
    options->outputPath = value;
  else if (option == "--demo-clip")
    options->demoClipPath = value;
  else if (option == "--program")
    options->program = value;
  else if (option == "--set")
    options->assignments.push_back(value);
  else if (option == "--load-fxp")
    options->loadFxp = value;
  else if (option == "--save-fxp")
    options->saveFxp = value;
  else if (option == "--load-fxb")
    options->loadFxb = value;
  else if (option == "--save-fxb")
    options->saveFxb = value;
  else if (option == "--editor-png")
    options->editorPng = value;
  else if (option == "--format") {
    if (!AudioFile::ParseSampleFormat(value, &options->format)) {
      return bad("float, pcm16 or pcm24");
    }
  } else if (option == "--block-size") {
    if (!ParseInt(value, &integer) || integer < 1 || integer > CommandLine::kMaxBlockSize) {
      return bad("a whole number from 1 to 1048576");
    }
    options->blockSize = static_cast<int>(integer);
  } else if (option == "--sample-rate") {
    if (!ParseNumber(value, &number) || number < 1000.0 || number > 1536000.0) {
      return bad("a rate in Hz from 1000 to 1536000");
    }
    options->sampleRate = number;
  } else if (option == "--scale") {
    if (!ParseNumber(value, &number) || number < 1.0 || number > 3.0) {
      return bad("a factor from 1 to 3, such as 1.5 for 150 %");
    }
    options->editorScale = number;
  } else if (option == "--tail") {
    if (!ParseNumber(value, &number) || number < 0.0 || number > 3600.0) {
      return bad("seconds from 0 to 3600");
    }
    options->tailSeconds = number;
  } else if (option == "--seconds") {
    if (!ParseNumber(value, &number) || number <= 0.0 || number > 3600.0) {
      return bad("seconds above 0, at most 3600");
    }
    options->demoSeconds = number;
  } else {
    *error = "unknown option " + option + " (see --help)";
    return false;
  }
  return true;
}

}  // namespace

bool CommandLine::Parse(int argc, const char* const* argv, RenderOptions* options,
                        std::string* error) {
  ArgReader args(argc, argv);
  while (!args.Done()) {
    const std::string option = args.Take();
    if (option == "--help" || option == "-h")
      options->help = true;
    else if (option == "--version")
      options->version = true;
    else if (option == "--list")
      options->list = true;
    else if (option == "--no-latency-compensation")
      options->compensateLatency = false;
    else if (option == "--double")
      options->useDouble = true;
    else if (option == "--progress")
      options->progress = true;
    else if (option == "--quiet" || option == "-q")
      options->quiet = true;
    else if (option.rfind("--", 0) != 0) {
      *error = "unexpected argument '" + option + "' (see --help)";
      return false;
    } else {
      const std::string value = args.Done() ? std::string() : args.Take();
      const bool parsed = ParseValueOption(option, value, options, error);
      // An empty value, missing or given as "", would silently stand for the
      // option's default; an unknown option reads better as unknown.
      if (value.empty() && (parsed || error->rfind("unknown", 0) != 0)) {
        *error = option + " needs a value";
      }
      if (!parsed || value.empty()) return false;
    }
  }
  if (options->help || options->version) return true;
  const bool acts = !options->demoClipPath.empty() || !options->inputPath.empty() ||
                    options->list || !options->program.empty() || !options->assignments.empty() ||
                    !options->loadFxp.empty() || !options->saveFxp.empty() ||
                    !options->loadFxb.empty() || !options->saveFxb.empty() ||
                    !options->editorPng.empty();
  if (!acts) {
    *error =
        "nothing to do: give --input and --output, --list, --demo-clip, --editor-png or a --save "
        "option";
    return false;
  }
  if (!options->inputPath.empty() && options->outputPath.empty()) {
    *error = "--input needs --output";
    return false;
  }
  if (options->inputPath.empty() && !options->outputPath.empty()) {
    *error = "--output needs --input (make one with --demo-clip)";
    return false;
  }
  return true;
}

const char* CommandLine::HelpText() {
  return R"(usage: kestravon-render [options]

Renders audio files through a VST 2 plug-in (by default Kestravon), offline.

  --plugin PATH            plug-in library to load (default: the Kestravon.so built
                           or installed with this program)
  --input FILE             audio to render (WAV, FLAC, AIFF)
  --output FILE            where to write it; .wav, .flac, .aif or .aiff
  --format F               output samples: float, pcm16 or pcm24 (default: as the input)
  --block-size N           frames per processing call (default 512)
  --sample-rate HZ         rate for --demo-clip and for runs without --input; with
                           --input it overrides the file's rate (no resampling)
  --tail SECONDS           render this much more after the input ends (default 0)
  --no-latency-compensation
                           keep the plug-in's latency at the start of the output
                           (by default it is dropped and the end rendered instead)
  --double                 process in double precision
  --list                   print the parameters with the values each takes, and the
                           programs, then go on
  --program N|NAME         select a program by index or name
  --set NAME=VALUE         set a parameter (repeatable): a number in the range the
                           plug-in shows, in its units ("--set Wow=40"), or one of
                           its choices, by name in any case ("--set Profile=b") or
                           by number. NAME=n:0.5 sets the normalised value 0..1.
  --load-fxb FILE          load a bank, then --program, --load-fxp and --set apply
  --load-fxp FILE          load a program into the current program
  --save-fxp FILE          save the current program after the changes above
  --save-fxb FILE          save the whole bank after the changes above
  --editor-png FILE        picture the plug-in's editor after the changes above, as
                           a host shows it on the X display (DISPLAY; without a
                           desktop: xvfb-run -a kestravon-render ...)
  --scale S                draw that picture at S times the editor's size, as a
                           host scaling its windows asks (1 to 3, to the nearest
                           quarter: --scale 2 gives 2000 x 840 pixels)
  --demo-clip FILE         write a built-in stereo demo clip (no plug-in needed)
  --seconds S              length of the demo clip (default 6)
  --progress               show the progress bar even when stderr is no terminal
  --quiet                  print nothing but errors
  --help                   print this help
  --version                print the version

A mono input feeds both inputs of a stereo plug-in and gives a stereo output.
Exit status: 0 done, 1 failed, 2 bad command line: an unknown option, parameter
or program, a value out of range or not among the choices, or a missing input
file. A bad command line stops the run before any file is written.
)";
}

const char* CommandLine::VersionText() { return "kestravon-render " KESTRAVON_VERSION "\n"; }
