#pragma once
#include <string>
#include <vector>

#include "vst2/VstAbi.h"

// A scripted host: records every call the plug-in makes back to it and
// answers from its settings. One host is active at a time.
struct FakeHost {
  struct Call {
    int32_t opcode;
    int32_t index;
    VstIntPtr value;
    float opt;
  };

  FakeHost();
  ~FakeHost();

  static VstIntPtr Callback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value,
                            void* ptr, float opt);
  int Count(int32_t opcode) const;

  std::vector<Call> calls;
  std::string productString;
  int32_t vendorVersion = 0;
  bool hasTime = false;
  VstTimeInfo time{};
  VstIntPtr processLevel = 0;
  VstIntPtr eventsAnswer = 1;
};
