#pragma once
// The host side a CLAP plug-in is made with: the clap_host record and the
// extensions the plug-in asks it for (params, state, latency, timer and
// file-descriptor support, thread check, log, preset load, gui), each call
// recorded by name with the thread it came from; and the small main-thread
// run loop that serves the registered timers and descriptors, as a Linux
// host's loop does for an editor.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "clap/ClapAbi.h"

class RecordingHost {
 public:
  // The constructing thread is the main thread.
  RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  const clap::clap_host* Host() const { return &host; }
  // The plug-in the run loop calls back.
  void SetPlugin(const clap::clap_plugin* plugin) { this->plugin = plugin; }

  // The calling thread becomes the main thread.
  void MakeMainThread() { mainThread = std::this_thread::get_id(); }
  // Whether the calling thread is the audio thread, as the host's thread
  // check answers: each thread that processes says so.
  static void MarkAudioThread(bool isAudio);

  // The calls in order, by name ("params.request_flush", "state.mark_dirty",
  // "latency.changed", "params.rescan:1", ...); the requests a plug-in may
  // make from the audio thread are only counted, without allocating.
  std::vector<std::string> Calls() const;
  int Count(const std::string& name) const;
  int Requests(const std::string& name) const;
  void ForgetCalls();
  // Calls made from a thread that the extension does not allow.
  std::vector<std::string> WrongThreadCalls() const;

  struct Timer {
    clap::clap_id id;
    uint32_t periodMs;
    std::chrono::steady_clock::time_point due;
  };
  struct Fd {
    int fd;
    clap::clap_posix_fd_flags flags;
  };
  const std::vector<Timer>& Timers() const { return timers; }
  const std::vector<Fd>& Fds() const { return fds; }
  int TimerCalls() const { return timerCalls; }
  int FdCalls() const { return fdCalls; }

  // Serves the timers and descriptors for about ms milliseconds.
  void Run(int ms);
  // Runs until done holds, for at most a few seconds.
  bool RunUntil(const std::function<bool()>& done);

 private:
  enum class Allowed { MainThread, NotAudioThread, AnyThread };
  void Record(const std::string& name, Allowed allowed);
  bool OnMainThread() const { return std::this_thread::get_id() == mainThread.load(); }
  void RunOnce(std::chrono::steady_clock::time_point end);
  static RecordingHost& Self(const clap::clap_host* host);

  // request_restart, request_process, request_callback.
  static constexpr const char* kRequestNames[3] = {"request_restart", "request_process",
                                                   "request_callback"};
  std::atomic<int> requests[3] = {0, 0, 0};

  clap::clap_host host{};
  const clap::clap_plugin* plugin = nullptr;
  std::atomic<std::thread::id> mainThread;
  mutable std::mutex mutex;
  std::vector<std::string> calls;
  std::vector<std::string> wrongThread;
  std::vector<Timer> timers;
  std::vector<Fd> fds;
  clap::clap_id nextTimerId = 1;
  int timerCalls = 0;
  int fdCalls = 0;

  clap::clap_host_params params{};
  clap::clap_host_state state{};
  clap::clap_host_latency latency{};
  clap::clap_host_timer_support timerSupport{};
  clap::clap_host_posix_fd_support fdSupport{};
  clap::clap_host_thread_check threadCheck{};
  clap::clap_host_log log{};
  clap::clap_host_preset_load presetLoad{};
  clap::clap_host_gui gui{};
};
