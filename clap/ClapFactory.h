#pragma once
// What the module offers CLAP hosts through clap_entry: the plug-in factory
// with its one descriptor, and the preset discovery factory through which
// hosts list the factory programs without making a plug-in.
#include "clap/ClapAbi.h"

namespace clap_factory {

// The plug-in's identifier. Hosts store it in every session that uses the
// plug-in, so it must never change.
inline constexpr const char* kPluginId = "com.ostrelle.kestravon";

const clap::clap_plugin_descriptor& Descriptor();
// The factory with this identifier, or null.
const void* Find(const char* factoryId);

}  // namespace clap_factory
