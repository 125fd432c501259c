#pragma once
#include <mutex>

namespace kestravon_vst3 {

// How many times hosts have entered the module (ModuleEntry, InitDll) and
// not yet left it. A host may load the module for several of its parts, so
// entries nest; an exit without an entry is refused rather than counted
// below zero, so any order of calls leaves a sane count.
class ModuleLifetime {
 public:
  static bool Enter();
  // False when no entry is left to end.
  static bool Exit();

 private:
  static std::mutex lock;
  static int entries;
};

}  // namespace kestravon_vst3
