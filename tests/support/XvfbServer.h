#pragma once

#include <sys/types.h>

#include <string>

// A private X server for tests: Xvfb on a display number it picks itself
// (-displayfd), so parallel test processes never collide. While it runs,
// DISPLAY points at it; stopping restores the previous value.
class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer() { Stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Whether an Xvfb program is on the PATH.
  static bool Installed();
  // Starts a server whose screen has this depth; false with a reason.
  bool Start(int depth, std::string* error);
  void Stop();
  const std::string& DisplayName() const { return displayName; }

 private:
  pid_t pid = -1;
  std::string displayName;
  std::string previousDisplay;
  bool hadDisplay = false;
};
