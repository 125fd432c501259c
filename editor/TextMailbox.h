#pragma once

#include <atomic>
#include <cstdint>

// Hands a short text from one writing thread to a reading thread without
// locks or allocation: the writer bumps a sequence counter around its copy,
// the reader retries until it read a copy no write overlapped. Writers must
// not overlap each other (the engine writes under the plug-in's lock).
class TextMailbox {
 public:
  static constexpr int kCapacity = 128;  // bytes including the terminator

  // Copies text in, cut to kCapacity - 1 bytes, and marks it unread.
  void Post(const char* text);
  // When a text was posted since the last take, copies it (terminated) into
  // out of kCapacity bytes and returns true.
  bool Take(char* out);

 private:
  static constexpr int kWords = kCapacity / 8;

  std::atomic<std::uint32_t> sequence{0};
  std::atomic<std::uint32_t> taken{0};
  std::atomic<std::uint64_t> words[kWords] = {};
};
