#pragma once
#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

// Flushes denormal numbers to zero while it lives: decaying filter and delay
// states would otherwise slow the processor down by orders of magnitude.
// The previous mode is restored, so the host's thread is left as it was.
class DenormalGuard {
 public:
#if defined(__SSE__) || defined(_M_X64)
  DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
  ~DenormalGuard() { _mm_setcsr(saved); }

 private:
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  unsigned saved;
#else
  DenormalGuard() = default;
#endif
  DenormalGuard(const DenormalGuard&) = delete;
  DenormalGuard& operator=(const DenormalGuard&) = delete;
};
