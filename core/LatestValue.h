#pragma once
#include <atomic>

// The latest of a value that one thread at a time writes and one other
// thread reads, handed over without either of them waiting: three copies,
// the writer's, the reader's and one between them, exchanged through one
// atomic. The reader gets the newest value published when it takes one, or
// the one it took last if nothing newer came.
template <class T>
class LatestValue {
 public:
  explicit LatestValue(const T& initial) : slots{initial, initial, initial} {}

  // The writer's side. Writers on several threads must be kept apart by a
  // lock of their own.
  void Publish(const T& value) {
    slots[back] = value;
    back = middle.exchange(back | kFresh, std::memory_order_acq_rel) & kIndex;
  }

  // The reader's side.
  const T& Take() {
    if (middle.load(std::memory_order_relaxed) & kFresh) {
      front = middle.exchange(front, std::memory_order_acq_rel) & kIndex;
    }
    return slots[front];
  }

 private:
  static constexpr int kIndex = 3;
  static constexpr int kFresh = 4;

  T slots[3];
  int back = 0;
  std::atomic<int> middle{1};
  int front = 2;
};
