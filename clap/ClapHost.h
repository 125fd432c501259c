#pragma once
// The host a CLAP plug-in was made for, with the extensions of its that the
// plug-in uses, looked up once at init. Each call does nothing when the
// host lacks the extension or the function, as hosts may.
#include <cstdint>

#include "clap/ClapAbi.h"

class ClapHost {
 public:
  explicit ClapHost(const clap::clap_host* host) : host(host) {}

  // On the main thread, from the plug-in's init.
  void LookUpExtensions();

  // Any thread but the audio thread.
  void RequestFlush() const;
  // Any thread.
  void RequestCallback() const;
  // The main thread.
  void MarkDirty() const;
  void LatencyChanged() const;
  void RescanValues() const;
  bool RegisterTimer(uint32_t periodMs, clap::clap_id* id) const;
  void UnregisterTimer(clap::clap_id id) const;
  bool RegisterReadableFd(int fd) const;
  void UnregisterFd(int fd) const;
  // Whether the host took the editor's new size.
  bool RequestResize(uint32_t width, uint32_t height) const;
  void PresetLoaded(uint32_t locationKind, const char* location, const char* loadKey) const;
  void PresetFailed(uint32_t locationKind, const char* location, const char* loadKey,
                    const char* message) const;

 private:
  template <class Extension>
  const Extension* LookUp(const char* id, const char* compatId = nullptr) const;

  const clap::clap_host* host;
  const clap::clap_host_params* params = nullptr;
  const clap::clap_host_state* state = nullptr;
  const clap::clap_host_latency* latency = nullptr;
  const clap::clap_host_timer_support* timers = nullptr;
  const clap::clap_host_posix_fd_support* fds = nullptr;
  const clap::clap_host_preset_load* presetLoad = nullptr;
  const clap::clap_host_gui* gui = nullptr;
};
