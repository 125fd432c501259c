#pragma once
// One plug-in instance as a CLAP host makes and drives it: the module
// loaded and entered through clap_entry, the plug-in made by the plug-in
// factory for a recording host and initialised, its extensions looked up,
// then activated and processing stereo blocks of either sample size, in
// place or not, with the host's events.
#include <cstdint>
#include <string>
#include <vector>

#include "InputEvents.h"
#include "OutputEvents.h"
#include "RecordingHost.h"
#include "clap/ClapAbi.h"

class ClapHost {
 public:
  static constexpr const char* kPluginId = "com.ostrelle.kestravon";

  explicit ClapHost(const char* modulePath = KESTRAVON_CLAP_MODULE_PATH);
  ~ClapHost();
  ClapHost(const ClapHost&) = delete;
  ClapHost& operator=(const ClapHost&) = delete;

  // Empty when the instance is ready; otherwise the step that failed.
  const std::string& Failure() const { return failure; }

  RecordingHost& Host() { return host; }
  const clap::clap_plugin_entry* Entry() const { return entry; }
  const clap::clap_plugin* Plugin() const { return plugin; }
  template <class Ext>
  const Ext* PluginExtension(const char* id) const {
    return plugin != nullptr ? static_cast<const Ext*>(plugin->get_extension(plugin, id)) : nullptr;
  }
  const clap::clap_plugin_params* Params() const { return params; }
  const clap::clap_plugin_state* State() const { return state; }

  // activate(), then start_processing() (false on the first refusal).
  bool Start(double sampleRate, uint32_t maxFrames);
  // stop_processing() and deactivate(), as a host stops the plug-in.
  void Stop();
  bool Started() const { return started; }

  // One block of `frames`; `outputs` may be `inputs`, as in-place hosts
  // pass them. No events when `events` is null. What the plug-in sent is
  // kept in Out() until the next call.
  // `constantInputs` marks input channels whose value is their first sample's.
  template <class Sample>
  clap::clap_process_status Process(Sample* const* inputs, Sample* const* outputs, uint32_t frames,
                                    const InputEvents* events, uint64_t constantInputs = 0);
  // The output channels the plug-in marked constant in the last block.
  uint64_t ConstantOutputs() const { return constantOutputs; }
  // A process call of no frames and no audio: events only.
  clap::clap_process_status Flush(const InputEvents* events);
  // clap.params's flush, for the host's events outside process().
  void ParamsFlush(const InputEvents* events);
  OutputEvents& Out() { return out; }

  // clap.preset-load's from_location for a factory program.
  bool LoadProgram(int program);
  // clap.state through streams of at most maxBytesPerCall bytes a call (0: any).
  std::vector<uint8_t> SaveState(uint64_t maxBytesPerCall = 0);
  bool LoadState(const std::vector<uint8_t>& bytes, uint64_t maxBytesPerCall = 0);

 private:
  void Load(const char* modulePath);
  void CreatePlugin();
  clap::clap_process_status Run(clap::clap_process& process, const InputEvents* events);

  std::string failure;
  uint64_t constantOutputs = 0;
  RecordingHost host;
  void* library = nullptr;
  const clap::clap_plugin_entry* entry = nullptr;
  bool entered = false;
  const clap::clap_plugin* plugin = nullptr;
  bool initialized = false;
  const clap::clap_plugin_params* params = nullptr;
  const clap::clap_plugin_state* state = nullptr;
  bool activated = false;
  bool started = false;
  InputEvents noEvents{1};
  OutputEvents out;
};
