#include "FakeHost.h"

#include <cstring>

namespace {
FakeHost* active = nullptr;
}

FakeHost::FakeHost() { active = this; }

FakeHost::~FakeHost() { active = nullptr; }

VstIntPtr FakeHost::Callback(AEffect*, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                             float opt) {
  if (!active) return 0;
  active->calls.push_back({opcode, index, value, opt});
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetProductString:
      std::strncpy(static_cast<char*>(ptr), active->productString.c_str(), 63);
      return 1;
    case audioMasterGetVendorVersion:
      return active->vendorVersion;
    case audioMasterGetTime:
      return active->hasTime ? reinterpret_cast<VstIntPtr>(&active->time) : 0;
    case audioMasterGetCurrentProcessLevel:
      return active->processLevel;
    case audioMasterProcessEvents:
      return active->eventsAnswer;
    default:
      return 0;
  }
}

int FakeHost::Count(int32_t opcode) const {
  int n = 0;
  for (const Call& call : calls) n += call.opcode == opcode ? 1 : 0;
  return n;
}
