// The library's exported entry points: a host calls one of them with its
// callback and receives the effect record of a new plug-in object.
#include <mutex>

#include "vst2/Tovrane.h"
#include "vst2/VstAbi.h"

namespace {
// Hosts may create several effects at once from different threads.
std::mutex creationLock;
}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
  std::lock_guard<std::mutex> guard(creationLock);
  auto* plug = new Tovrane(host);
  plug->FillFreePresets("Empty", plug->NPresets());
  if (plug->Effect()->numPrograms < 1) plug->Effect()->numPrograms = 1;
  return plug->Effect();
}

// Older hosts look for the entry point under this name.
extern "C" __attribute__((visibility("default"))) AEffect* VSTMainAlias(
    audioMasterCallback host) __asm__("main");
AEffect* VSTMainAlias(audioMasterCallback host) { return VSTPluginMain(host); }
