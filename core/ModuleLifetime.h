#pragma once
#include <mutex>

// How many times hosts have entered the module (VST 3's ModuleEntry or
// InitDll, CLAP's init) and not yet left it. A host may load the module for
// several of its parts, so entries nest; an exit without an entry is
// refused rather than counted below zero, so any order of calls leaves a
// sane count.
class ModuleLifetime {
 public:
  static bool Enter();
  // False when no entry is left to end.
  static bool Exit();

 private:
  static std::mutex lock;
  static int entries;
};

