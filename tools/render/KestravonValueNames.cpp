#include "tools/render/KestravonValueNames.h"

#include "product/ParameterTable.h"

bool KestravonValueNames::Describes(const std::vector<std::string>& parameterNames) {
  if (parameterNames.size() != kParameterTable.size()) return false;
  for (size_t i = 0; i < kParameterTable.size(); ++i) {
    if (parameterNames[i] != kParameterTable[i].name) return false;
  }
  return true;
}

std::vector<std::string> KestravonValueNames::Of(int index) {
  const ParameterRow* row = ParameterAt(index);
  if (!row) return {};
  std::vector<std::string> names;
  for (const char* name : row->valueNames) {
    if (name) names.emplace_back(name);
  }
  return names;
}
