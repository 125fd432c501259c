#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

// Opens addresses with the desktop's handler (xdg-open) as a child process
// started without a shell, and collects the children that finished so none
// is left as a zombie.
class WebPageLauncher {
 public:
  explicit WebPageLauncher(std::string program = "xdg-open") : program(std::move(program)) {}
  ~WebPageLauncher() { Reap(); }
  WebPageLauncher(const WebPageLauncher&) = delete;
  WebPageLauncher& operator=(const WebPageLauncher&) = delete;

  // True when the handler started. An empty address, or one that would read
  // as an option of the handler, is refused.
  bool Open(const char* address);
  // Collects every child that has finished, without waiting.
  void Reap();
  int Running() const { return static_cast<int>(children.size()); }

 private:
  std::string program;
  std::vector<pid_t> children;
};
