// The module's exported entry points: the factory, and the calls a host
// makes after loading the module and before unloading it.
#include "core/ModuleLifetime.h"
#include "vst3/Vst3Abi.h"
#include "vst3/Vst3Factory.h"

using kestravon_vst3::Vst3Factory;

#define KESTRAVON_VST3_EXPORT extern "C" __attribute__((visibility("default")))

// The caller owns the reference it receives and releases it when done.
KESTRAVON_VST3_EXPORT vst3::IPluginFactory* KESTRAVON_VST3_CALL GetPluginFactory() {
  Vst3Factory& factory = Vst3Factory::Instance();
  factory.addRef();
  return &factory;
}

#if defined(_WIN32)
KESTRAVON_VST3_EXPORT bool InitDll() { return ModuleLifetime::Enter(); }
KESTRAVON_VST3_EXPORT bool ExitDll() { return ModuleLifetime::Exit(); }
#else
// The host passes its handle of the loaded library, which nothing here needs yet.
KESTRAVON_VST3_EXPORT bool ModuleEntry(void* /*libraryHandle*/) { return ModuleLifetime::Enter(); }
KESTRAVON_VST3_EXPORT bool ModuleExit() { return ModuleLifetime::Exit(); }
#endif
