#pragma once
#include <string>

#include "tools/render/AudioFile.h"
#include "tools/render/CommandLine.h"
#include "tools/render/PluginHost.h"

// Why a run stopped, and the exit status that says so.
struct RunError {
  std::string message;
  int status = CommandLine::kExitFailed;
};

// One run of kestravon-render: checks the files named, loads the plug-in,
// applies banks, programs and parameters in that order and lists them, and
// only then writes: the demo clip, the saved programs and banks, the
// editor's picture and the rendered input. A bad command line is thus
// refused before any file is written.
class RenderApp {
 public:
  explicit RenderApp(const RenderOptions& options) : options(options) {}
  // Returns the process exit status; errors go to stderr as one line.
  int Run();
  // The plug-in to load when --plugin is not given.
  static std::string DefaultPluginPath();

 private:
  bool Prepare(RunError* error);
  bool Produce(RunError* error);
  bool CheckInputs(RunError* error) const;
  bool CheckOutputs(RunError* error) const;
  bool InputIsDemoClip() const;
  bool WriteDemoClip(RunError* error);
  bool OpenInput(RunError* error);
  bool NeedsPlugin() const;
  bool LoadPlugin(RunError* error);
  bool ApplyState(RunError* error);
  bool SelectProgram(RunError* error);
  void ListPlugin();
  bool SaveState(RunError* error);
  bool PictureEditor(RunError* error);
  bool RenderInput(RunError* error);
  void Note(const std::string& text) const;

  RenderOptions options;
  AudioFile input;
  bool haveInput = false;
  double sampleRate = 44100.0;
  PluginHost host;
};
