#pragma once
#include <string>

class PluginHost;

// Applies "--set NAME=VALUE" assignments. NAME is a parameter name as the
// plug-in reports it (case and surrounding spaces ignored). VALUE is text in
// the units the plug-in displays, handed to effString2Parameter; when the
// plug-in refuses it, the normalised value whose display reads closest to
// VALUE is searched. "n:0.25" sets the normalised value directly.
class ParameterSetter {
 public:
  explicit ParameterSetter(PluginHost& host) : host(host) {}

  bool Apply(const std::string& assignment, std::string* error);
  // The index of a parameter by name, or -1.
  int FindParam(const std::string& name);

 private:
  bool SearchDisplay(int index, const std::string& value);
  // How far a display text is from the wanted value; lower is closer.
  static double Distance(const std::string& display, const std::string& wanted);

  PluginHost& host;
};
