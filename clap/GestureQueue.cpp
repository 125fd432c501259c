#include "clap/GestureQueue.h"

bool GestureQueue::Push(const Gesture& gesture) {
  const uint32_t at = tail.load(std::memory_order_relaxed);
  if (at - head.load(std::memory_order_acquire) >= kCapacity) return false;
  ring[at % kCapacity] = gesture;
  tail.store(at + 1, std::memory_order_release);
  return true;
}

bool GestureQueue::Pop(Gesture* gesture) {
  const uint32_t at = head.load(std::memory_order_relaxed);
  if (at == tail.load(std::memory_order_acquire)) return false;
  *gesture = ring[at % kCapacity];
  head.store(at + 1, std::memory_order_release);
  return true;
}
