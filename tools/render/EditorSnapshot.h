#pragma once

#include <string>

#include "tools/render/PluginHost.h"

// Pictures a plug-in's editor as a Linux host shows it: a window of the
// editor's size on the X display named by DISPLAY is handed to the plug-in
// as its parent, the editor is idled until it has drawn, and the pixels the
// server shows are saved as a PNG image.
class EditorSnapshot {
 public:
  static constexpr int kDrawMs = 200;

  explicit EditorSnapshot(PluginHost& host) : host(host) {}
  // False with a one-line reason: no display, no editor, or a failed write.
  bool Save(const std::string& path, std::string* error);

 private:
  PluginHost& host;
};
