#include "dsp/RandomGenerator.h"

// The state is per thread. A thread's first draw must not allocate, as the
// first block on a host's new audio thread may make it: the usual
// thread-local storage of a loaded library is handed out from the heap on a
// thread's first touch (by the dynamic loader on Linux, by the emulation
// MinGW uses on Windows), so the state lives where no allocation is needed.
#if defined(_WIN32)

// The kernel32 thread-local slots, as documented: a slot holds one pointer's
// worth per thread, zero until set, so the state is kept in it directly.
extern "C" {
unsigned long TlsAlloc();
void* TlsGetValue(unsigned long index);
int TlsSetValue(unsigned long index, void* value);
}

namespace {

constexpr unsigned long kNoSlot = 0xffffffffu;
// Taken when the library loads. Without a slot (the process has used them
// all) the threads share one state rather than fail.
const unsigned long slot = TlsAlloc();
uint32_t sharedState = 1;

// Stored as state ^ 1, so that a slot never set reads as the initial state.
uint32_t LoadState() {
  if (slot == kNoSlot) return sharedState;
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(TlsGetValue(slot))) ^ 1u;
}

void StoreState(uint32_t state) {
  if (slot == kNoSlot) {
    sharedState = state;
    return;
  }
  TlsSetValue(slot, reinterpret_cast<void*>(static_cast<uintptr_t>(state ^ 1u)));
}

}  // namespace

#else

namespace {

// In the static block the loader sets aside when the library loads: reached
// without the loader's help, and never from the heap.
thread_local uint32_t randomState [[gnu::tls_model("initial-exec")]] = 1;

uint32_t LoadState() { return randomState; }
void StoreState(uint32_t state) { randomState = state; }

}  // namespace

#endif

int RandomGenerator::Next() {
  const uint32_t state = LoadState() * 214013u + 2531011u;
  StoreState(state);
  return static_cast<int>((state >> 16) & 0x7fffu);
}

void RandomGenerator::ResetForThisThread() { StoreState(1); }

uint32_t RandomGenerator::StateOfThisThread() { return LoadState(); }

RandomGenerator::Replay::Replay(uint32_t state) : ownState(LoadState()) { StoreState(state); }

RandomGenerator::Replay::~Replay() { StoreState(ownState); }
