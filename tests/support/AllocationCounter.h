#pragma once
#include <atomic>

// Counts the calls to the C library's allocator a thread makes while it says
// it is processing. The program that links AllocationCounter.cpp replaces
// malloc and its kin for everything it loads, the dynamic loader's
// per-thread storage for a loaded library included.
namespace allocation_counter {

// Allocations counted since the last Reset.
int Count();
void Reset();
// Whether the calling thread's allocations count.
void SetCounting(bool on);

}  // namespace allocation_counter
