// The Windows library's load hook: keeps the module handle, by which the
// editor registers its window class and finds the images among the
// library's resources.
#include "core/ModuleHandle.h"

namespace {
constexpr unsigned long kProcessAttach = 1;
}  // namespace

extern "C" int DllMain(void* module, unsigned long reason, void* /*reserved*/) {
  if (reason == kProcessAttach) SetThisModule(module);
  return 1;
}
