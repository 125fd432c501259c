#include "clap/ClapExtensions.h"

#include <cstring>

#include "clap/IPlugCLAP.h"

namespace clap_extensions {
namespace {

using clap::clap_plugin;

IPlugCLAP* Of(const clap_plugin* plugin) { return IPlugCLAP::From(plugin); }

// The plug-in is destroyed by the host's call, outside any lock of its own:
// any call still running on another thread, an audio callback included,
// finishes first.
void Destroy(const clap_plugin* plugin) {
  IPlugCLAP* plug = Of(plugin);
  if (plug == nullptr) return;
  {
    std::lock_guard<std::recursive_mutex> guard(plug->Lock());
    AudioGate::HostHold hold(plug->Gate());
  }
  delete plug;
}

const clap::clap_plugin_audio_ports kAudioPorts{
    [](const clap_plugin* p, bool isInput) { return Of(p)->AudioPortCount(isInput); },
    [](const clap_plugin* p, uint32_t index, bool isInput, clap::clap_audio_port_info* info) {
      return Of(p)->AudioPortInfo(index, isInput, info);
    }};

const clap::clap_plugin_params kParams{
    [](const clap_plugin* p) { return Of(p)->ParamCount(); },
    [](const clap_plugin* p, uint32_t index, clap::clap_param_info* info) {
      return Of(p)->ParamInfo(index, info);
    },
    [](const clap_plugin* p, clap::clap_id id, double* value) { return Of(p)->ParamValue(id, value); },
    [](const clap_plugin* p, clap::clap_id id, double value, char* text, uint32_t capacity) {
      return Of(p)->ValueToText(id, value, text, capacity);
    },
    [](const clap_plugin* p, clap::clap_id id, const char* text, double* value) {
      return Of(p)->TextToValue(id, text, value);
    },
    [](const clap_plugin* p, const clap::clap_input_events* in, const clap::clap_output_events* out) {
      Of(p)->Flush(in, out);
    }};

const clap::clap_plugin_state kState{
    [](const clap_plugin* p, const clap::clap_ostream* stream) { return Of(p)->SaveToStream(stream); },
    [](const clap_plugin* p, const clap::clap_istream* stream) {
      return Of(p)->LoadFromStream(stream);
    }};

const clap::clap_plugin_latency kLatency{[](const clap_plugin* p) { return Of(p)->LatencyFrames(); }};

const clap::clap_plugin_tail kTail{[](const clap_plugin* p) { return Of(p)->TailFrames(); }};

const clap::clap_plugin_gui kGui{
    [](const clap_plugin* p, const char* api, bool floating) {
      return Of(p)->GuiApiSupported(api, floating);
    },
    [](const clap_plugin* p, const char** api, bool* floating) {
      return Of(p)->GuiPreferredApi(api, floating);
    },
    [](const clap_plugin* p, const char* api, bool floating) { return Of(p)->GuiCreate(api, floating); },
    [](const clap_plugin* p) { Of(p)->GuiDestroy(); },
    [](const clap_plugin* p, double scale) { return Of(p)->GuiSetScale(scale); },
    [](const clap_plugin* p, uint32_t* width, uint32_t* height) {
      return Of(p)->GuiSize(width, height);
    },
    [](const clap_plugin* p) { return Of(p)->GuiCanResize(); },
    [](const clap_plugin* p, clap::clap_gui_resize_hints* hints) {
      return Of(p)->GuiResizeHints(hints);
    },
    [](const clap_plugin* p, uint32_t* width, uint32_t* height) {
      return Of(p)->GuiAdjustSize(width, height);
    },
    [](const clap_plugin* p, uint32_t width, uint32_t height) {
      return Of(p)->GuiSetSize(width, height);
    },
    [](const clap_plugin* p, const clap::clap_window* window) { return Of(p)->GuiSetParent(window); },
    // Embedded only: there is no floating window to keep above another.
    [](const clap_plugin*, const clap::clap_window*) { return false; },
    [](const clap_plugin*, const char*) {},
    [](const clap_plugin* p) { return Of(p)->GuiShow(); },
    [](const clap_plugin* p) { return Of(p)->GuiHide(); }};

const clap::clap_plugin_timer_support kTimerSupport{
    [](const clap_plugin* p, clap::clap_id timer) { Of(p)->OnTimer(timer); }};

const clap::clap_plugin_posix_fd_support kFdSupport{
    [](const clap_plugin* p, int fd, clap::clap_posix_fd_flags flags) { Of(p)->OnFd(fd, flags); }};

const clap::clap_plugin_preset_load kPresetLoad{
    [](const clap_plugin* p, uint32_t kind, const char* location, const char* loadKey) {
      return Of(p)->LoadPresetFrom(kind, location, loadKey);
    }};

struct NamedExtension {
  const char* id;
  const void* extension;
};

const NamedExtension kExtensions[] = {
    {clap::CLAP_EXT_AUDIO_PORTS, &kAudioPorts},
    {clap::CLAP_EXT_PARAMS, &kParams},
    {clap::CLAP_EXT_STATE, &kState},
    {clap::CLAP_EXT_LATENCY, &kLatency},
    {clap::CLAP_EXT_TAIL, &kTail},
    {clap::CLAP_EXT_GUI, &kGui},
    {clap::CLAP_EXT_TIMER_SUPPORT, &kTimerSupport},
    {clap::CLAP_EXT_POSIX_FD_SUPPORT, &kFdSupport},
    {clap::CLAP_EXT_PRESET_LOAD, &kPresetLoad},
    {clap::CLAP_EXT_PRESET_LOAD_COMPAT, &kPresetLoad},
};

}  // namespace

clap::clap_plugin PluginRecord() {
  clap::clap_plugin record{};
  record.init = [](const clap_plugin* p) { return Of(p)->Init(); };
  record.destroy = Destroy;
  record.activate = [](const clap_plugin* p, double rate, uint32_t minFrames, uint32_t maxFrames) {
    return Of(p)->Activate(rate, minFrames, maxFrames);
  };
  record.deactivate = [](const clap_plugin* p) { Of(p)->Deactivate(); };
  record.start_processing = [](const clap_plugin* p) { return Of(p)->StartProcessing(); };
  record.stop_processing = [](const clap_plugin* p) { Of(p)->StopProcessing(); };
  record.reset = [](const clap_plugin* p) { Of(p)->Reset(); };
  record.process = [](const clap_plugin* p, const clap::clap_process* process) {
    return process != nullptr ? Of(p)->Process(*process) : clap::CLAP_PROCESS_ERROR;
  };
  record.get_extension = [](const clap_plugin*, const char* id) { return Find(id); };
  record.on_main_thread = [](const clap_plugin* p) { Of(p)->OnMainThread(); };
  return record;
}

const void* Find(const char* id) {
  if (id == nullptr) return nullptr;
  for (const NamedExtension& named : kExtensions) {
    if (std::strcmp(named.id, id) == 0) return named.extension;
  }
  return nullptr;
}

}  // namespace clap_extensions
