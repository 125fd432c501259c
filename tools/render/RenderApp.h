#pragma once
#include <string>

#include "tools/render/AudioFile.h"
#include "tools/render/CommandLine.h"
#include "tools/render/PluginHost.h"

// One run of kestravon-render: writes the demo clip, loads the plug-in,
// applies banks, programs and parameters in that order, lists and saves
// them, then renders the input.
class RenderApp {
 public:
  explicit RenderApp(const RenderOptions& options) : options(options) {}
  // Returns the process exit status; errors go to stderr as one line.
  int Run();
  // The plug-in to load when --plugin is not given.
  static std::string DefaultPluginPath();

 private:
  bool WriteDemoClip(std::string* error);
  bool OpenInput(std::string* error);
  bool NeedsPlugin() const;
  bool LoadPlugin(std::string* error);
  bool ApplyState(std::string* error);
  bool SelectProgram(std::string* error);
  void ListPlugin();
  bool SaveState(std::string* error);
  bool PictureEditor(std::string* error);
  bool RenderInput(std::string* error);
  void Note(const std::string& text) const;

  RenderOptions options;
  AudioFile input;
  bool haveInput = false;
  double sampleRate = 44100.0;
  PluginHost host;
};
