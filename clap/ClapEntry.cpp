// The module's one export, clap_entry: hosts enter the module, ask it for
// its factories and leave it, in any order they choose.
#include "clap/ClapAbi.h"
#include "clap/ClapFactory.h"
#include "core/ModuleLifetime.h"

#if defined(_WIN32)
#define KESTRAVON_CLAP_EXPORT extern "C" __declspec(dllexport)
#else
#define KESTRAVON_CLAP_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

bool Enter(const char* /*pluginPath*/) { return ModuleLifetime::Enter(); }

void Leave() { ModuleLifetime::Exit(); }

const void* GetFactory(const char* factoryId) { return clap_factory::Find(factoryId); }

}  // namespace

KESTRAVON_CLAP_EXPORT const clap::clap_plugin_entry clap_entry{clap::CLAP_VERSION, Enter, Leave,
                                                               GetFactory};
