#pragma once
#include <string>

class IPlugBase;

// The Turtle files of the LV2 bundle, written from the plug-in itself: its
// ports from the parameter table, its presets from its own programs, so the
// description cannot drift from what the binary does.
namespace bundle_turtle {

// A parameter's name as an LV2 port symbol: lower case, words joined by "_".
std::string PortSymbol(const char* name);
// The bundle's index: the plug-in, its binaries and every preset.
std::string Manifest(const IPlugBase& plug);
// The plug-in's description: features, ports, units, scale points.
std::string PluginDescription(const IPlugBase& plug);
// Every program of the plug-in as a preset of port values.
std::string Presets(IPlugBase& plug);

}  // namespace bundle_turtle
