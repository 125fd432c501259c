#pragma once

// A further parameter a control shows besides its own.
struct AuxParam {
  double value = 0.0;
  int paramIndex = -1;
};
