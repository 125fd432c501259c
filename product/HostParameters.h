#pragma once
#include <array>

#include "product/ParameterTable.h"

// The parameters a host sees, automates and lists: every named setting. The
// editor's command buttons and its A/B switch act on the plug-in's undo
// history, not on the sound, so they stay between the editor and the
// plug-in, and the spare slots exist only for the state chunks. Every
// format that lists parameters of its own lists these, in this order.
constexpr bool IsHostParameter(const ParameterRow& row) {
  return row.form != ParamForm::Command && row.name[0] != '\0' && row.index != kAB;
}

constexpr int CountHostParameters() {
  int count = 0;
  for (const ParameterRow& row : kParameterTable) count += IsHostParameter(row) ? 1 : 0;
  return count;
}

inline constexpr int kHostParameterCount = CountHostParameters();

// The parameter indexes hosts see, in table order.
inline constexpr std::array<int, kHostParameterCount> kHostParameters = [] {
  std::array<int, kHostParameterCount> params{};
  int at = 0;
  for (const ParameterRow& row : kParameterTable) {
    if (IsHostParameter(row)) params[at++] = row.index;
  }
  return params;
}();
