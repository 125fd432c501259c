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
  // The table names the choices but leaves the power switch's two states to
  // each view; its 1 turns the processing off.
  if (row->readout == ReadoutForm::Power) return {"On", "Off"};
  std::vector<std::string> names;
  for (const char* name : row->valueNames) {
    if (name) names.emplace_back(name);
  }
  return names;
}
