// Feeds arbitrary bytes to the CLAP plug-in, made by its factory, as the
// state a host loads, through the plug-in's own clap.state table and a host stream that hands
// them over a few bytes at a time, as some hosts' streams do. A state that is
// refused must leave every setting as it was; a state that is taken must be
// saved and loaded again with the same parameter values, and the audio made
// from it must be finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "clap/ClapFactory.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

const void* NoExtension(const clap::clap_host*, const char*) { return nullptr; }
void IgnoreRequest(const clap::clap_host*) {}
const clap::clap_host kHost{clap::CLAP_VERSION, nullptr,      "fuzz",        "Ostrelle",   "", "1",
                            NoExtension,        IgnoreRequest, IgnoreRequest, IgnoreRequest};

// Bytes in memory, read or written in pieces of at most `piece`.
struct PieceStream {
  std::vector<uint8_t> bytes;
  size_t piece;
  size_t at = 0;
  clap::clap_istream in{this, Read};
  clap::clap_ostream out{this, Write};

  static int64_t Read(const clap::clap_istream* stream, void* buffer, uint64_t size) {
    auto* self = static_cast<PieceStream*>(stream->ctx);
    const size_t n = std::min({static_cast<size_t>(size), self->bytes.size() - self->at, self->piece});
    if (n > 0) std::memcpy(buffer, self->bytes.data() + self->at, n);
    self->at += n;
    return static_cast<int64_t>(n);
  }
  static int64_t Write(const clap::clap_ostream* stream, const void* buffer, uint64_t size) {
    auto* self = static_cast<PieceStream*>(stream->ctx);
    const size_t n = std::min(static_cast<size_t>(size), self->piece);
    const auto* from = static_cast<const uint8_t*>(buffer);
    self->bytes.insert(self->bytes.end(), from, from + n);
    return static_cast<int64_t>(n);
  }
};

struct Plugin {
  const clap::clap_plugin* record;
  const clap::clap_plugin_state* state;
  const clap::clap_plugin_params* params;
};

template <class Extension>
const Extension* ExtensionOf(const clap::clap_plugin* plugin, const char* id) {
  auto* extension = static_cast<const Extension*>(plugin->get_extension(plugin, id));
  Require(extension != nullptr);
  return extension;
}

std::vector<uint8_t> SavedState(const Plugin& plug) {
  PieceStream stream{{}, 1000};
  Require(plug.state->save(plug.record, &stream.out));
  return stream.bytes;
}

// What the host sees and the processing plays: every parameter's value.
std::vector<double> PlayedSettings(const Plugin& plug) {
  std::vector<double> values;
  const uint32_t count = plug.params->count(plug.record);
  for (uint32_t index = 0; index < count; ++index) {
    clap::clap_param_info info{};
    Require(plug.params->get_info(plug.record, index, &info));
    double value = 0.0;
    Require(plug.params->get_value(plug.record, info.id, &value));
    values.push_back(value);
  }
  return values;
}

uint32_t NoEvents(const clap::clap_input_events*) { return 0; }
const clap::clap_event_header* NoEvent(const clap::clap_input_events*, uint32_t) { return nullptr; }
bool DropEvent(const clap::clap_output_events*, const clap::clap_event_header*) { return true; }

void RequireFiniteAudio(const Plugin& plug) {
  constexpr uint32_t kFrames = 64;
  float left[kFrames] = {};
  float right[kFrames] = {};
  float* channels[2] = {left, right};
  const clap::clap_audio_buffer in{channels, nullptr, 2, 0, 0};
  clap::clap_audio_buffer out{channels, nullptr, 2, 0, 0};
  const clap::clap_input_events events{nullptr, NoEvents, NoEvent};
  const clap::clap_output_events sent{nullptr, DropEvent};
  const clap::clap_process process{-1, kFrames, nullptr, &in, &out, 1, 1, &events, &sent};
  Require(plug.record->process(plug.record, &process) != clap::CLAP_PROCESS_ERROR);
  for (uint32_t s = 0; s < kFrames; ++s) Require(std::isfinite(left[s]) && std::isfinite(right[s]));
}

const Plugin& Plug() {
  static const Plugin plug = [] {
    auto* factory = static_cast<const clap::clap_plugin_factory*>(
        clap_factory::Find(clap::CLAP_PLUGIN_FACTORY_ID));
    Require(factory != nullptr);
    const clap::clap_plugin* record =
        factory->create_plugin(factory, &kHost, clap_factory::kPluginId);
    Require(record != nullptr);
    Require(record->init(record));
    Require(record->activate(record, 44100.0, 1, 256));
    Require(record->start_processing(record));
    return Plugin{record, ExtensionOf<clap::clap_plugin_state>(record, clap::CLAP_EXT_STATE),
                  ExtensionOf<clap::clap_plugin_params>(record, clap::CLAP_EXT_PARAMS)};
  }();
  return plug;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Plugin& plug = Plug();
  const std::vector<uint8_t> before = SavedState(plug);
  // The first byte chooses how many bytes each read hands over.
  PieceStream stream{std::vector<uint8_t>(data + 1, data + size), 1u + data[0] % 64u};
  if (!plug.state->load(plug.record, &stream.in)) {
    Require(SavedState(plug) == before);
    return 0;
  }
  const std::vector<uint8_t> taken = SavedState(plug);
  const std::vector<double> played = PlayedSettings(plug);
  PieceStream again{taken, 7};
  Require(plug.state->load(plug.record, &again.in));
  Require(PlayedSettings(plug) == played);
  RequireFiniteAudio(plug);
  return 0;
}
