#include "core/ModuleHandle.h"

#include <atomic>

namespace {
std::atomic<void*> thisModule{nullptr};
}  // namespace

void SetThisModule(void* module) { thisModule.store(module); }

void* ThisModule() { return thisModule.load(); }
