#include "RecordingHost.h"

#include <poll.h>

#include <algorithm>
#include <cstring>

using Clock = std::chrono::steady_clock;

namespace {

thread_local bool audioThread = false;

}  // namespace

RecordingHost& RecordingHost::Self(const clap::clap_host* h) {
  return *static_cast<RecordingHost*>(h->host_data);
}

void RecordingHost::MarkAudioThread(bool isAudio) { audioThread = isAudio; }

RecordingHost::RecordingHost() : mainThread(std::this_thread::get_id()) {
  host.clap_version = clap::CLAP_VERSION;
  host.host_data = this;
  host.name = "Kestravon test host";
  host.vendor = "Ostrelle";
  host.url = "";
  host.version = "1";
  host.get_extension = [](const clap::clap_host* h, const char* id) -> const void* {
    RecordingHost& self = Self(h);
    if (id == nullptr) return nullptr;
    const std::pair<const char*, const void*> extensions[] = {
        {clap::CLAP_EXT_PARAMS, &self.params},
        {clap::CLAP_EXT_STATE, &self.state},
        {clap::CLAP_EXT_LATENCY, &self.latency},
        {clap::CLAP_EXT_TIMER_SUPPORT, &self.timerSupport},
        {clap::CLAP_EXT_POSIX_FD_SUPPORT, &self.fdSupport},
        {clap::CLAP_EXT_THREAD_CHECK, &self.threadCheck},
        {clap::CLAP_EXT_LOG, &self.log},
        {clap::CLAP_EXT_PRESET_LOAD, &self.presetLoad},
        {clap::CLAP_EXT_GUI, &self.gui}};
    for (const auto& [name, extension] : extensions) {
      if (std::strcmp(id, name) == 0) return extension;
    }
    return nullptr;
  };
  host.request_restart = [](const clap::clap_host* h) { ++Self(h).requests[0]; };
  host.request_process = [](const clap::clap_host* h) { ++Self(h).requests[1]; };
  host.request_callback = [](const clap::clap_host* h) { ++Self(h).requests[2]; };

  params.rescan = [](const clap::clap_host* h, clap::clap_param_rescan_flags flags) {
    Self(h).Record("params.rescan:" + std::to_string(flags), Allowed::MainThread);
  };
  params.clear = [](const clap::clap_host* h, clap::clap_id, clap::clap_param_clear_flags) {
    Self(h).Record("params.clear", Allowed::MainThread);
  };
  params.request_flush = [](const clap::clap_host* h) {
    Self(h).Record("params.request_flush", Allowed::NotAudioThread);
  };
  state.mark_dirty = [](const clap::clap_host* h) {
    Self(h).Record("state.mark_dirty", Allowed::MainThread);
  };
  latency.changed = [](const clap::clap_host* h) {
    Self(h).Record("latency.changed", Allowed::MainThread);
  };

  timerSupport.register_timer = [](const clap::clap_host* h, uint32_t periodMs, clap::clap_id* id) {
    RecordingHost& self = Self(h);
    self.Record("timer.register", Allowed::MainThread);
    if (id == nullptr) return false;
    *id = self.nextTimerId++;
    self.timers.push_back({*id, periodMs, Clock::now() + std::chrono::milliseconds(periodMs)});
    return true;
  };
  timerSupport.unregister_timer = [](const clap::clap_host* h, clap::clap_id id) {
    RecordingHost& self = Self(h);
    self.Record("timer.unregister", Allowed::MainThread);
    const auto found = std::find_if(self.timers.begin(), self.timers.end(),
                                    [id](const Timer& timer) { return timer.id == id; });
    if (found == self.timers.end()) return false;
    self.timers.erase(found);
    return true;
  };
  fdSupport.register_fd = [](const clap::clap_host* h, int fd, clap::clap_posix_fd_flags flags) {
    RecordingHost& self = Self(h);
    self.Record("fd.register", Allowed::MainThread);
    self.fds.push_back({fd, flags});
    return true;
  };
  fdSupport.modify_fd = [](const clap::clap_host* h, int fd, clap::clap_posix_fd_flags flags) {
    RecordingHost& self = Self(h);
    self.Record("fd.modify", Allowed::MainThread);
    for (Fd& watched : self.fds) {
      if (watched.fd == fd) {
        watched.flags = flags;
        return true;
      }
    }
    return false;
  };
  fdSupport.unregister_fd = [](const clap::clap_host* h, int fd) {
    RecordingHost& self = Self(h);
    self.Record("fd.unregister", Allowed::MainThread);
    const auto found = std::find_if(self.fds.begin(), self.fds.end(),
                                    [fd](const Fd& watched) { return watched.fd == fd; });
    if (found == self.fds.end()) return false;
    self.fds.erase(found);
    return true;
  };

  // A host that gives the editor whatever size it asks for.
  gui.request_resize = [](const clap::clap_host* h, uint32_t width, uint32_t height) {
    Self(h).Record("gui.request_resize:" + std::to_string(width) + "x" + std::to_string(height),
                   Allowed::MainThread);
    return true;
  };

  threadCheck.is_main_thread = [](const clap::clap_host* h) { return Self(h).OnMainThread(); };
  threadCheck.is_audio_thread = [](const clap::clap_host*) { return audioThread; };
  log.log = [](const clap::clap_host* h, clap::clap_log_severity severity, const char* message) {
    Self(h).Record("log:" + std::to_string(severity) + ":" + (message ? message : ""),
                   Allowed::AnyThread);
  };
  presetLoad.on_error = [](const clap::clap_host* h, uint32_t, const char*, const char* key,
                           int32_t, const char*) {
    Self(h).Record(std::string("preset_load.on_error:") + (key ? key : ""), Allowed::AnyThread);
  };
  presetLoad.loaded = [](const clap::clap_host* h, uint32_t, const char*, const char* key) {
    Self(h).Record(std::string("preset_load.loaded:") + (key ? key : ""), Allowed::AnyThread);
  };
}

void RecordingHost::Record(const std::string& name, Allowed allowed) {
  const bool wrong = (allowed == Allowed::MainThread && !OnMainThread()) ||
                     (allowed == Allowed::NotAudioThread && audioThread);
  std::lock_guard<std::mutex> guard(mutex);
  calls.push_back(name);
  if (wrong)
    wrongThread.push_back(name + (audioThread ? " on the audio thread" : " off the main thread"));
}

std::vector<std::string> RecordingHost::Calls() const {
  std::lock_guard<std::mutex> guard(mutex);
  return calls;
}

int RecordingHost::Count(const std::string& name) const {
  std::lock_guard<std::mutex> guard(mutex);
  return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

int RecordingHost::Requests(const std::string& name) const {
  for (int r = 0; r < 3; ++r) {
    if (name == kRequestNames[r]) return requests[r].load();
  }
  return 0;
}

void RecordingHost::ForgetCalls() {
  std::lock_guard<std::mutex> guard(mutex);
  calls.clear();
  for (auto& count : requests) count = 0;
}

std::vector<std::string> RecordingHost::WrongThreadCalls() const {
  std::lock_guard<std::mutex> guard(mutex);
  return wrongThread;
}

void RecordingHost::Run(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  do RunOnce(end);
  while (Clock::now() < end);
}

bool RecordingHost::RunUntil(const std::function<bool()>& done) {
  const auto end = Clock::now() + std::chrono::seconds(3);
  while (!done() && Clock::now() < end) Run(5);
  return done();
}

// The plug-in may unregister while called, so each entry is looked up afresh.
void RecordingHost::RunOnce(Clock::time_point end) {
  auto wakeUp = end;
  for (const Timer& timer : timers) wakeUp = std::min(wakeUp, timer.due);
  std::vector<pollfd> polled;
  for (const Fd& watched : fds) polled.push_back({watched.fd, POLLIN, 0});
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wakeUp - Clock::now());
  poll(polled.data(), polled.size(), static_cast<int>(std::max<long>(wait.count(), 0)));
  if (plugin == nullptr) return;
  const auto* onFd = static_cast<const clap::clap_plugin_posix_fd_support*>(
      plugin->get_extension(plugin, clap::CLAP_EXT_POSIX_FD_SUPPORT));
  const auto* onTimer = static_cast<const clap::clap_plugin_timer_support*>(
      plugin->get_extension(plugin, clap::CLAP_EXT_TIMER_SUPPORT));
  for (const pollfd& fd : polled) {
    if ((fd.revents & POLLIN) == 0 || onFd == nullptr) continue;
    const bool stillWatched =
        std::any_of(fds.begin(), fds.end(), [&](const Fd& watched) { return watched.fd == fd.fd; });
    if (!stillWatched) continue;
    ++fdCalls;
    onFd->on_fd(plugin, fd.fd, clap::CLAP_POSIX_FD_READ);
  }
  const auto now = Clock::now();
  for (size_t t = 0; t < timers.size(); ++t) {
    if (now < timers[t].due || onTimer == nullptr) continue;
    timers[t].due = now + std::chrono::milliseconds(timers[t].periodMs);
    ++timerCalls;
    onTimer->on_timer(plugin, timers[t].id);
  }
}
