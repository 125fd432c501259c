#include "ClapHost.h"

#include <type_traits>

#include "MemoryIStream.h"
#include "MemoryOStream.h"
#include "SharedLibrary.h"

ClapHost::ClapHost(const char* modulePath) {
  Load(modulePath);
  if (failure.empty()) CreatePlugin();
}

void ClapHost::Load(const char* modulePath) {
  library = OpenSharedLibrary(modulePath);
  if (library == nullptr) {
    failure = std::string("cannot load the module: ") + LastLoadError();
    return;
  }
  entry = static_cast<const clap::clap_plugin_entry*>(FindLibrarySymbol(library, "clap_entry"));
  if (entry == nullptr) {
    failure = "the module lacks clap_entry";
    return;
  }
  if (!clap::clap_version_is_compatible(entry->clap_version)) {
    failure = "the module's CLAP version is not 1.x";
    return;
  }
  entered = entry->init(modulePath);
  if (!entered) failure = "clap_entry.init refused";
}

void ClapHost::CreatePlugin() {
  const auto* factory = static_cast<const clap::clap_plugin_factory*>(
      entry->get_factory(clap::CLAP_PLUGIN_FACTORY_ID));
  if (factory == nullptr) {
    failure = "no plug-in factory";
    return;
  }
  plugin = factory->create_plugin(factory, host.Host(), kPluginId);
  if (plugin == nullptr) {
    failure = "create_plugin gave no plug-in";
    return;
  }
  host.SetPlugin(plugin);
  initialized = plugin->init(plugin);
  if (!initialized) {
    failure = "init refused";
    return;
  }
  params = PluginExtension<clap::clap_plugin_params>(clap::CLAP_EXT_PARAMS);
  state = PluginExtension<clap::clap_plugin_state>(clap::CLAP_EXT_STATE);
  if (params == nullptr || state == nullptr) failure = "no params or state extension";
}

ClapHost::~ClapHost() {
  Stop();
  if (plugin) plugin->destroy(plugin);
  if (entered) entry->deinit();
  CloseSharedLibrary(library);
}

bool ClapHost::Start(double sampleRate, uint32_t maxFrames) {
  if (!failure.empty()) return false;
  Stop();
  activated = plugin->activate(plugin, sampleRate, 1, maxFrames);
  if (!activated) return false;
  started = plugin->start_processing(plugin);
  return started;
}

void ClapHost::Stop() {
  if (started) plugin->stop_processing(plugin);
  if (activated) plugin->deactivate(plugin);
  started = activated = false;
}

clap::clap_process_status ClapHost::Run(clap::clap_process& process, const InputEvents* events) {
  out.Clear();
  process.steady_time = -1;
  process.transport = nullptr;
  process.in_events = (events ? events : &noEvents)->List();
  process.out_events = out.List();
  return plugin->process(plugin, &process);
}

template <class Sample>
clap::clap_process_status ClapHost::Process(Sample* const* inputs, Sample* const* outputs,
                                            uint32_t frames, const InputEvents* events,
                                            uint64_t constantInputs) {
  clap::clap_audio_buffer in{}, output{};
  in.channel_count = output.channel_count = 2;
  in.constant_mask = constantInputs;
  // A value the plug-in must overwrite.
  output.constant_mask = ~uint64_t{0};
  if constexpr (std::is_same_v<Sample, float>) {
    in.data32 = const_cast<float**>(inputs);
    output.data32 = const_cast<float**>(outputs);
  } else {
    in.data64 = const_cast<double**>(inputs);
    output.data64 = const_cast<double**>(outputs);
  }
  clap::clap_process process{};
  process.frames_count = frames;
  process.audio_inputs = &in;
  process.audio_outputs = &output;
  process.audio_inputs_count = 1;
  process.audio_outputs_count = 1;
  const clap::clap_process_status status = Run(process, events);
  constantOutputs = output.constant_mask;
  return status;
}

clap::clap_process_status ClapHost::Flush(const InputEvents* events) {
  clap::clap_process process{};
  return Run(process, events);
}

void ClapHost::ParamsFlush(const InputEvents* events) {
  out.Clear();
  params->flush(plugin, (events ? events : &noEvents)->List(), out.List());
}

bool ClapHost::LoadProgram(int program) {
  const auto* load = PluginExtension<clap::clap_plugin_preset_load>(clap::CLAP_EXT_PRESET_LOAD);
  const std::string key = "program:" + std::to_string(program);
  return load != nullptr && load->from_location(plugin, clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN,
                                                nullptr, key.c_str());
}

std::vector<uint8_t> ClapHost::SaveState(uint64_t maxBytesPerCall) {
  MemoryOStream stream(maxBytesPerCall);
  if (!state->save(plugin, stream.Stream())) return {};
  return stream.Bytes();
}

bool ClapHost::LoadState(const std::vector<uint8_t>& bytes, uint64_t maxBytesPerCall) {
  MemoryIStream stream(bytes, maxBytesPerCall);
  return state->load(plugin, stream.Stream());
}

template clap::clap_process_status ClapHost::Process<float>(float* const*, float* const*, uint32_t,
                                                            const InputEvents*, uint64_t);
template clap::clap_process_status ClapHost::Process<double>(double* const*, double* const*,
                                                             uint32_t, const InputEvents*,
                                                             uint64_t);
