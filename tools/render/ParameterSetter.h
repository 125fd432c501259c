#pragma once
#include <string>

#include "tools/render/ParameterCatalog.h"

class PluginHost;

// Applies "--set NAME=VALUE" assignments. NAME is a parameter name as the
// plug-in reports it (case and surrounding spaces ignored). VALUE must be
// one the parameter takes, as ParameterValues reads them from the plug-in:
// a choice by its text or name, or a number in the range shown, which is
// handed to effString2Parameter and, when the plug-in refuses it, set by
// searching the value whose display reads closest. "n:0.25" sets the
// normalised value directly.
class ParameterSetter {
 public:
  explicit ParameterSetter(PluginHost& host) : host(host) {}

  // False, with the values the parameter takes, for a value it does not.
  bool Apply(const std::string& assignment, std::string* error);

 private:
  bool SetNormalized(int index, const std::string& text, std::string* error);
  bool SetValue(const ParameterValues& values, int index, const std::string& value,
                std::string* error);
  bool SearchDisplay(int index, const std::string& value);
  // How far a display text is from the wanted value; lower is closer.
  static double Distance(const std::string& display, const std::string& wanted);

  PluginHost& host;
};
