#pragma once
#include "product/HostParameters.h"

// The parameters an LV2 host sees as control inputs, in port order: the
// settings every format shows its host.
inline constexpr int kControlPortCount = kHostParameterCount;
inline constexpr const std::array<int, kControlPortCount>& kControlPortParams = kHostParameters;
