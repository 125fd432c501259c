#pragma once
#include <atomic>
#include <thread>

// Keeps the audio callback apart from a host thread that reshapes what the
// callback works on (the block size, the sample rate, the channels, the
// processing's memory), without the audio thread ever waiting: the audio
// thread only tries to pass, and finds the gate closed only while a host
// reshapes the plug-in during processing, which hosts are not meant to do.
// Host threads, which may wait, wait for the audio thread to be out.
class AudioGate {
 public:
  // The audio callback's pass: open when the gate was free.
  class AudioPass {
   public:
    explicit AudioPass(AudioGate& gate) : gate(gate) {
      int expected = kFree;
      open = gate.state.compare_exchange_strong(expected, kAudio, std::memory_order_acquire,
                                                std::memory_order_relaxed);
    }
    ~AudioPass() {
      if (open) gate.state.store(kFree, std::memory_order_release);
    }
    AudioPass(const AudioPass&) = delete;
    AudioPass& operator=(const AudioPass&) = delete;
    explicit operator bool() const { return open; }

   private:
    AudioGate& gate;
    bool open;
  };

  // A host thread's hold while it reshapes: waits for the audio thread to
  // leave, then keeps it out until released.
  class HostHold {
   public:
    explicit HostHold(AudioGate& gate) : gate(gate) {
      int expected = kFree;
      while (!gate.state.compare_exchange_weak(expected, kHost, std::memory_order_acquire,
                                               std::memory_order_relaxed)) {
        expected = kFree;
        std::this_thread::yield();
      }
    }
    ~HostHold() { gate.state.store(kFree, std::memory_order_release); }
    HostHold(const HostHold&) = delete;
    HostHold& operator=(const HostHold&) = delete;

   private:
    AudioGate& gate;
  };

  // Returns once no audio callback is inside; lets none wait.
  void WaitWhileAudioInside() const {
    while (state.load(std::memory_order_acquire) == kAudio) std::this_thread::yield();
  }

 private:
  static constexpr int kFree = 0;
  static constexpr int kAudio = 1;
  static constexpr int kHost = 2;
  std::atomic<int> state{kFree};
};
