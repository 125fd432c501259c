#pragma once
#include <string>
#include <vector>

// The names of the whole values of the plug-in this tree builds. Its VST 2
// side shows these values as numbers, while its editor's readout and its
// LV2 side name them; with these names --set takes either.
class KestravonValueNames {
 public:
  // True when the plug-in reports the parameter names of the parameter
  // table, in its order: then it is this plug-in, whatever its file.
  static bool Describes(const std::vector<std::string>& parameterNames);
  // The names of the values 0, 1, ... of a parameter; none for the others.
  static std::vector<std::string> Of(int index);
};
