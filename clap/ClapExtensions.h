#pragma once
// The tables of C functions CLAP hosts call: the plug-in record's and each
// extension's, every one passing the call on to the IPlugCLAP behind the
// plug-in record.
#include "clap/ClapAbi.h"

namespace clap_extensions {

// The plug-in record's functions; the caller sets desc and plugin_data.
clap::clap_plugin PluginRecord();

// The extension with this identifier, or null for one the plug-in lacks.
const void* Find(const char* id);

}  // namespace clap_extensions
