#pragma once
#include <string>
#include <vector>

#include "tools/render/ParameterValues.h"

class PluginHost;

// The parameters of a loaded plug-in as a user names them: found by name,
// listed, and each with the values it takes, read from the texts the
// plug-in shows across the parameter's range.
class ParameterCatalog {
 public:
  // Texts are read at this many steps of the normalised range, ends included.
  static constexpr int kSteps = 1000;

  explicit ParameterCatalog(PluginHost& host);

  // The index of a parameter by name (case and surrounding spaces ignored),
  // or -1; unnamed parameters are never found.
  int Find(const std::string& name) const;
  // The names of the named parameters, as "Gain, Mode".
  std::string NameList() const;
  ParameterValues Values(int index);

 private:
  std::vector<std::string> Displays(int index);

  PluginHost& host;
  std::vector<std::string> names;
  bool isKestravon;
};
