#pragma once
#include <cstring>

// Removes every `flag` from the command line, so that GoogleTest does not
// see it, and tells whether there was one.
inline bool TakeFlag(int* argc, char** argv, const char* flag) {
  bool found = false;
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strcmp(argv[i], flag) == 0) {
      found = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argv[kept] = nullptr;
  *argc = kept;
  return found;
}
