#include "clap/ClapHost.h"

template <class Extension>
const Extension* ClapHost::LookUp(const char* id, const char* compatId) const {
  if (host == nullptr || host->get_extension == nullptr) return nullptr;
  const void* found = host->get_extension(host, id);
  if (found == nullptr && compatId != nullptr) found = host->get_extension(host, compatId);
  return static_cast<const Extension*>(found);
}

void ClapHost::LookUpExtensions() {
  params = LookUp<clap::clap_host_params>(clap::CLAP_EXT_PARAMS);
  state = LookUp<clap::clap_host_state>(clap::CLAP_EXT_STATE);
  latency = LookUp<clap::clap_host_latency>(clap::CLAP_EXT_LATENCY);
  timers = LookUp<clap::clap_host_timer_support>(clap::CLAP_EXT_TIMER_SUPPORT);
  fds = LookUp<clap::clap_host_posix_fd_support>(clap::CLAP_EXT_POSIX_FD_SUPPORT);
  presetLoad = LookUp<clap::clap_host_preset_load>(clap::CLAP_EXT_PRESET_LOAD,
                                                   clap::CLAP_EXT_PRESET_LOAD_COMPAT);
  gui = LookUp<clap::clap_host_gui>(clap::CLAP_EXT_GUI);
}

void ClapHost::RequestFlush() const {
  if (params != nullptr && params->request_flush != nullptr) params->request_flush(host);
}

void ClapHost::RequestCallback() const {
  if (host != nullptr && host->request_callback != nullptr) host->request_callback(host);
}

void ClapHost::MarkDirty() const {
  if (state != nullptr && state->mark_dirty != nullptr) state->mark_dirty(host);
}

void ClapHost::LatencyChanged() const {
  if (latency != nullptr && latency->changed != nullptr) latency->changed(host);
}

void ClapHost::RescanValues() const {
  if (params != nullptr && params->rescan != nullptr) params->rescan(host, clap::CLAP_PARAM_RESCAN_VALUES);
}

bool ClapHost::RegisterTimer(uint32_t periodMs, clap::clap_id* id) const {
  return timers != nullptr && timers->register_timer != nullptr &&
         timers->register_timer(host, periodMs, id);
}

void ClapHost::UnregisterTimer(clap::clap_id id) const {
  if (timers != nullptr && timers->unregister_timer != nullptr) timers->unregister_timer(host, id);
}

bool ClapHost::RegisterReadableFd(int fd) const {
  return fds != nullptr && fds->register_fd != nullptr &&
         fds->register_fd(host, fd, clap::CLAP_POSIX_FD_READ);
}

void ClapHost::UnregisterFd(int fd) const {
  if (fds != nullptr && fds->unregister_fd != nullptr) fds->unregister_fd(host, fd);
}

bool ClapHost::RequestResize(uint32_t width, uint32_t height) const {
  return gui != nullptr && gui->request_resize != nullptr &&
         gui->request_resize(host, width, height);
}

void ClapHost::PresetLoaded(uint32_t locationKind, const char* location, const char* loadKey) const {
  if (presetLoad != nullptr && presetLoad->loaded != nullptr) {
    presetLoad->loaded(host, locationKind, location, loadKey);
  }
}

void ClapHost::PresetFailed(uint32_t locationKind, const char* location, const char* loadKey,
                            const char* message) const {
  if (presetLoad != nullptr && presetLoad->on_error != nullptr) {
    presetLoad->on_error(host, locationKind, location, loadKey, 0, message);
  }
}
