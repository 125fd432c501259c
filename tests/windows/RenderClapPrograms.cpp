// Renders the factory programs, and the noise types, through a built CLAP
// module, loaded by its path and driven as a CLAP host does, in 64-bit and in
// 32-bit processing, and compares two such renders. Built for Linux and for
// Windows from this one source, so the Windows module under Wine and the
// Linux module can be held against each other.
//
//   kestravon_render_clap_programs render MODULE OUTPUT
//   kestravon_render_clap_programs compare LINUX_RENDER WINDOWS_RENDER [exact|budget]
//
// The host picks each program as its preset browser does, through the
// preset-load extension with the program's load key before activating the
// plug-in; a case that sets a noise type sends it as a parameter event at
// the first frame of the first block.
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "ProgramRenders.h"
#include "SharedLibrary.h"
#include "clap/ClapAbi.h"
#include "product/TovraneParams.h"

using namespace program_renders;

namespace {

constexpr const char* kPluginId = "com.ostrelle.kestravon";

// A host that offers no extensions: the plug-in needs none to play.
const void* KESTRAVON_CLAP_CALL NoExtension(const clap::clap_host*, const char*) { return nullptr; }
void KESTRAVON_CLAP_CALL IgnoreRequest(const clap::clap_host*) {}
const clap::clap_host kHost{clap::CLAP_VERSION, nullptr, "Kestravon program renders", "Ostrelle",
                            "",                 "1",     NoExtension,                 IgnoreRequest,
                            IgnoreRequest,      IgnoreRequest};

// The events of one block: none, or one parameter value.
struct Events {
  std::vector<clap::clap_event_param_value> values;
  clap::clap_input_events list{this, Size, Get};

  static uint32_t KESTRAVON_CLAP_CALL Size(const clap::clap_input_events* list) {
    return static_cast<uint32_t>(static_cast<const Events*>(list->ctx)->values.size());
  }
  static const clap::clap_event_header* KESTRAVON_CLAP_CALL Get(
      const clap::clap_input_events* list, uint32_t index) {
    return &static_cast<const Events*>(list->ctx)->values[index].header;
  }
};
bool KESTRAVON_CLAP_CALL DropEvent(const clap::clap_output_events*, const clap::clap_event_header*) {
  return true;
}
const clap::clap_output_events kNoOutput{nullptr, DropEvent};

clap::clap_event_param_value ValueAtFirstFrame(clap::clap_id id, double value) {
  clap::clap_event_param_value event{};
  event.header = {sizeof(event), 0, clap::CLAP_CORE_EVENT_SPACE_ID, clap::CLAP_EVENT_PARAM_VALUE, 0};
  event.param_id = id;
  event.note_id = -1;
  event.port_index = event.channel = event.key = -1;
  event.value = value;
  return event;
}

// Selects the case's program as a host's preset browser does.
bool LoadProgram(const clap::clap_plugin& plugin, int program, std::string* failure) {
  auto* presets = static_cast<const clap::clap_plugin_preset_load*>(
      plugin.get_extension(&plugin, clap::CLAP_EXT_PRESET_LOAD));
  if (presets == nullptr) {
    *failure = "no preset-load extension";
    return false;
  }
  const std::string key = "program:" + std::to_string(program);
  if (!presets->from_location(&plugin, clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr,
                              key.c_str())) {
    *failure = "the preset " + key + " was refused";
    return false;
  }
  return true;
}

// The case through an activated plug-in, in blocks of kBlock.
template <class Sample>
std::vector<double> Play(const clap::clap_plugin& plugin, const RenderCase& c, std::string* failure) {
  const int frames = c.Frames();
  std::vector<double> left, right;
  TestSignal(frames, c.rate, &left, &right);
  std::vector<double> result(c.Samples());
  std::vector<Sample> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
  Sample* in[2] = {inL.data(), inR.data()};
  Sample* out[2] = {outL.data(), outR.data()};
  clap::clap_audio_buffer input{nullptr, nullptr, 2, 0, 0};
  clap::clap_audio_buffer output{nullptr, nullptr, 2, 0, 0};
  if constexpr (sizeof(Sample) == sizeof(float)) {
    input.data32 = in;
    output.data32 = out;
  } else {
    input.data64 = in;
    output.data64 = out;
  }
  Events firstBlock;
  if (c.noiseType >= 0) firstBlock.values.push_back(ValueAtFirstFrame(kNoiseType, c.noiseType));
  Events later;
  for (int start = 0; start < frames; start += kBlock) {
    const int n = frames - start < kBlock ? frames - start : kBlock;
    for (int i = 0; i < n; ++i) {
      inL[i] = static_cast<Sample>(left[start + i]);
      inR[i] = static_cast<Sample>(right[start + i]);
    }
    const clap::clap_process process{start,  static_cast<uint32_t>(n),
                                     nullptr, &input,
                                     &output, 1,
                                     1,       start == 0 ? &firstBlock.list : &later.list,
                                     &kNoOutput};
    const clap::clap_process_status status = plugin.process(&plugin, &process);
    if (status == clap::CLAP_PROCESS_ERROR) {
      *failure = "process failed at frame " + std::to_string(start);
      return {};
    }
    for (int i = 0; i < n; ++i) {
      result[2 * static_cast<size_t>(start + i)] = outL[i];
      result[2 * static_cast<size_t>(start + i) + 1] = outR[i];
    }
  }
  return result;
}

// One case in an instance of its own, made on a thread of its own: each
// instance draws its start-up noise from the creating thread's random generator.
std::vector<double> Render(const clap::clap_plugin_factory& factory, const RenderCase& c,
                           std::string* failure) {
  std::vector<double> result;
  std::thread worker([&] {
    const clap::clap_plugin* plugin = factory.create_plugin(&factory, &kHost, kPluginId);
    if (plugin == nullptr || !plugin->init(plugin)) {
      *failure = "the plug-in was not made";
      if (plugin != nullptr) plugin->destroy(plugin);
      return;
    }
    if (LoadProgram(*plugin, c.program, failure)) {
      if (plugin->activate(plugin, c.rate, 1, kBlock) && plugin->start_processing(plugin)) {
        result = c.singlePrecision ? Play<float>(*plugin, c, failure)
                                   : Play<double>(*plugin, c, failure);
        plugin->stop_processing(plugin);
        plugin->deactivate(plugin);
      } else {
        *failure = "the plug-in did not start";
      }
    }
    plugin->destroy(plugin);
  });
  worker.join();
  return result;
}

int RenderModule(const char* modulePath, const char* outputPath) {
  void* library = OpenSharedLibrary(modulePath);
  if (!library) {
    std::fprintf(stderr, "cannot load %s: %s\n", modulePath, LastLoadError());
    return 2;
  }
  auto* entry = static_cast<const clap::clap_plugin_entry*>(FindLibrarySymbol(library, "clap_entry"));
  if (entry == nullptr || !entry->init(modulePath)) {
    std::fprintf(stderr, "%s has no clap_entry that starts\n", modulePath);
    return 2;
  }
  auto* factory = static_cast<const clap::clap_plugin_factory*>(
      entry->get_factory(clap::CLAP_PLUGIN_FACTORY_ID));
  const int status = WriteRendersTellingRefusals(
      Cases(true),
      [factory](const RenderCase& c, std::string* failure) {
        if (factory != nullptr) return Render(*factory, c, failure);
        *failure = "no plug-in factory";
        return std::vector<double>{};
      },
      modulePath, outputPath);
  entry->deinit();
  CloseSharedLibrary(library);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  return RenderProgramsMain(argc, argv, Cases(true), RenderModule);
}
