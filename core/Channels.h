#pragma once
#include <cstdint>

#include "core/GrowBuffer.h"

// One legal channel configuration: input count and output count.
struct ChannelIOPair {
  int32_t inputs = 0;
  int32_t outputs = 0;
};

inline constexpr int kChannelLabelGranularity = 128;

// An input channel. Its slot is its entry in the array the engine reads; a
// channel that is not connected keeps its slot on its own (zeroed) scratch.
struct InputChannel {
  bool connected = false;
  double** slot = nullptr;
  GrowBuffer scratch{GrowBuffer::kDefaultGranularity};
  GrowBuffer label{kChannelLabelGranularity};

  double* Scratch() { return static_cast<double*>(scratch.Data()); }
};

struct OutputChannel {
  bool connected = false;
  double** slot = nullptr;
  float* hostOutput = nullptr;
  GrowBuffer scratch{GrowBuffer::kDefaultGranularity};
  GrowBuffer label{kChannelLabelGranularity};

  double* Scratch() { return static_cast<double*>(scratch.Data()); }
};
