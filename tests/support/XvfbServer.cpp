#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

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
  const std::string screen = "1280x800x" + std::to_string(depth);
  const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                        screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
  const pid_t parent = getpid();
  pid = fork();
  if (pid == 0) {
    // A test that crashes must not leave its server behind.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    // The write end must survive exec as fd 3, where -displayfd looks.
    const bool atThree = fds[1] == 3 ? fcntl(3, F_SETFD, 0) == 0 : dup2(fds[1], 3) == 3;
    const int devNull = open("/dev/null", O_WRONLY);
    if (!atThree || devNull < 0 || dup2(devNull, 1) < 0 || dup2(devNull, 2) < 0) _exit(1);
    execvp("Xvfb", const_cast<char**>(argv));
    _exit(127);
  }
  const bool spawned = pid > 0;
  close(fds[1]);
  std::string number;
  const bool ready = spawned && ReadDisplayNumber(fds[0], &number);
  close(fds[0]);
  if (!spawned) pid = -1;
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
