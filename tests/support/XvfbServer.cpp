#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

extern char** environ;

namespace {

constexpr int kStartTimeoutMs = 20000;

// Reads the display number Xvfb writes once it accepts connections.
bool ReadDisplayNumber(int fd, std::string* number) {
  char c = 0;
  for (;;) {
    pollfd readable{fd, POLLIN, 0};
    if (poll(&readable, 1, kStartTimeoutMs) <= 0) return false;
    if (read(fd, &c, 1) != 1) return false;
    if (c == '\n') return !number->empty();
    number->push_back(c);
  }
}

}  // namespace

bool XvfbServer::Installed() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty() && access((dir + "/Xvfb").c_str(), X_OK) == 0) return true;
  }
  return false;
}

bool XvfbServer::Start(int depth, std::string* error) {
  Stop();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    *error = "no pipe for Xvfb";
    return false;
  }
  // The child's copy of the write end must survive exec; fd 3 is free there.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string screen = "1280x800x" + std::to_string(depth);
  const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                        screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
  const int spawned =
      posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number;
  const bool ready = spawned == 0 && ReadDisplayNumber(fds[0], &number);
  close(fds[0]);
  if (spawned != 0) pid = -1;
  if (!ready) {
    Stop();
    *error = "Xvfb did not start";
    return false;
  }
  displayName = ":" + number;
  const char* previous = std::getenv("DISPLAY");
  hadDisplay = previous != nullptr;
  previousDisplay = previous ? previous : "";
  setenv("DISPLAY", displayName.c_str(), 1);
  return true;
}

void XvfbServer::Stop() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
  }
  if (!displayName.empty()) {
    if (hadDisplay) {
      setenv("DISPLAY", previousDisplay.c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
    displayName.clear();
  }
}
