#include "editor/x11/WebPageLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

bool WebPageLauncher::Open(const char* address) {
  if (!address || address[0] == '\0' || address[0] == '-') return false;
  std::string addressCopy(address);
  char* argv[] = {program.data(), addressCopy.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  children.push_back(pid);
  return true;
}

void WebPageLauncher::Reap() {
  std::erase_if(children, [](pid_t pid) {
    int status = 0;
    // -1 too: a host that ignores SIGCHLD has the system reap for it.
    return waitpid(pid, &status, WNOHANG) != 0;
  });
}
