#pragma once
#include <array>

#include "product/ParameterTable.h"

// The parameters an LV2 host sees as control inputs: every named setting.
// The editor's command buttons and its A/B switch act on the plug-in's undo
// history, not on the sound, so they travel as editor messages instead, and
// the spare slots exist only for the state chunks.
constexpr bool IsControlPortParameter(const ParameterRow& row) {
  return row.form != ParamForm::Command && row.name[0] != '\0' && row.index != kAB;
}

constexpr int CountControlPortParameters() {
  int count = 0;
  for (const ParameterRow& row : kParameterTable) count += IsControlPortParameter(row) ? 1 : 0;
  return count;
}

inline constexpr int kControlPortCount = CountControlPortParameters();

// The parameter behind each control input, in port order.
inline constexpr std::array<int, kControlPortCount> kControlPortParams = [] {
  std::array<int, kControlPortCount> params{};
  int port = 0;
  for (const ParameterRow& row : kParameterTable) {
    if (IsControlPortParameter(row)) params[port++] = row.index;
  }
  return params;
}();
