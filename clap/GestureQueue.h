#pragma once
// The editor's gestures on their way to the host: the editor's thread (the
// host's main thread) puts them in; the audio thread, or the main thread
// in a flush, takes them out and hands them to the host as events. A fixed
// ring with one writer and one reader at a time, so neither side allocates
// or waits; when it is full, further gestures are dropped until the host
// takes the waiting ones.
#include <array>
#include <atomic>
#include <cstdint>

struct Gesture {
  enum class Kind : uint8_t { Begin, Value, End };
  Kind kind = Kind::Value;
  uint32_t param = 0;
  double value = 0.0;  // in the parameter's own range, for Value
};

class GestureQueue {
 public:
  bool Push(const Gesture& gesture);
  // Takes the oldest gesture; false when none waits.
  bool Pop(Gesture* gesture);

 private:
  static constexpr uint32_t kCapacity = 256;
  std::array<Gesture, kCapacity> ring{};
  std::atomic<uint32_t> head{0};  // the next to take
  std::atomic<uint32_t> tail{0};  // the next to fill
};
