#include "AllocationCounter.h"

#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);
}

namespace {

std::atomic<int> allocations{0};
thread_local bool counting = false;

void Count() {
  if (counting) allocations.fetch_add(1);
}

}  // namespace

namespace allocation_counter {

int Count() { return allocations.load(); }
void Reset() { allocations = 0; }
void SetCounting(bool on) { counting = on; }

}  // namespace allocation_counter

// Every allocation in the program, the loader's and the library's included,
// comes through here.
extern "C" {
void* malloc(size_t size) {
  Count();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  Count();
  return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
  Count();
  return __libc_realloc(p, size);
}
void* memalign(size_t alignment, size_t size) {
  Count();
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) {
  void* p = memalign(alignment, size);
  if (!p) return 12;  // ENOMEM
  *out = p;
  return 0;
}
void free(void* p) { __libc_free(p); }
}

