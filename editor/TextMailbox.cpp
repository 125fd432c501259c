#include "editor/TextMailbox.h"

#include <cstring>

namespace {

// A reader that keeps colliding with writes leaves the text for the next tick.
constexpr int kReadAttempts = 4;

}  // namespace

void TextMailbox::Post(const char* text) {
  std::uint64_t copy[kWords] = {};
  if (text) {
    std::size_t length = std::strlen(text);
    if (length > kCapacity - 1) length = kCapacity - 1;
    std::memcpy(copy, text, length);
  }
  const std::uint32_t start = sequence.load(std::memory_order_relaxed);
  sequence.store(start + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  for (int i = 0; i < kWords; ++i) words[i].store(copy[i], std::memory_order_relaxed);
  sequence.store(start + 2, std::memory_order_release);
}

bool TextMailbox::Take(char* out) {
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    const std::uint32_t before = sequence.load(std::memory_order_acquire);
    if (before == taken.load(std::memory_order_relaxed)) return false;
    if (before & 1u) continue;
    std::uint64_t copy[kWords];
    for (int i = 0; i < kWords; ++i) copy[i] = words[i].load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence.load(std::memory_order_relaxed) != before) continue;
    std::memcpy(out, copy, kCapacity);
    out[kCapacity - 1] = 0;
    taken.store(before, std::memory_order_relaxed);
    return true;
  }
  return false;
}
