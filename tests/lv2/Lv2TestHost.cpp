#include "Lv2TestHost.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>

#include <algorithm>
#include <cmath>
#include <cstring>

Lv2World::Lv2World(const std::string& folder) : world(lilv_world_new()) {
  LilvNode* path = lilv_new_string(world, folder.c_str());
  lilv_world_set_option(world, LILV_OPTION_LV2_PATH, path);
  lilv_node_free(path);
  lilv_world_load_all(world);
  mapFeature = {this, [](LV2_URID_Map_Handle h, const char* uri) {
                  return static_cast<Lv2World*>(h)->Map(uri);
                }};
  unmapFeature = {this, [](LV2_URID_Unmap_Handle h, LV2_URID urid) {
                    return static_cast<Lv2World*>(h)->Unmap(urid);
                  }};
}

Lv2World::~Lv2World() { lilv_world_free(world); }

const LilvPlugin* Lv2World::Plugin(const char* uri) const {
  LilvNode* node = Uri(uri);
  const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), node);
  lilv_node_free(node);
  return plugin;
}

LV2_URID Lv2World::Map(const char* uri) {
  auto found = ids.find(uri);
  if (found != ids.end()) return found->second;
  names.emplace_back(uri);
  const auto id = static_cast<LV2_URID>(names.size());
  ids.emplace(uri, id);
  return id;
}

const char* Lv2World::Unmap(LV2_URID urid) const {
  return urid >= 1 && urid <= names.size() ? names[urid - 1].c_str() : nullptr;
}

Lv2Instance::Lv2Instance(Lv2World& world, const LilvPlugin* plugin, double rate, int maxBlock)
    : world(world), plugin(plugin), maxBlockValue(maxBlock) {
  const uint32_t ports = lilv_plugin_get_num_ports(plugin);
  controls.assign(ports, 0.0f);
  audio.assign(ports, {});
  std::vector<float> defaults(ports, 0.0f);
  lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
  for (uint32_t i = 0; i < ports; ++i) controls[i] = std::isnan(defaults[i]) ? 0.0f : defaults[i];

  mapFeature = {LV2_URID__map, world.MapFeature()};
  unmapFeature = {LV2_URID__unmap, world.UnmapFeature()};
  if (maxBlock > 0) {
    options.push_back({LV2_OPTIONS_INSTANCE, 0, world.Map(LV2_BUF_SIZE__maxBlockLength),
                       sizeof(int32_t), world.Map(LV2_ATOM__Int), &maxBlockValue});
  }
  options.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
  optionsFeature = {LV2_OPTIONS__options, options.data()};
  features = {&mapFeature, &unmapFeature, &optionsFeature, nullptr};

  instance = lilv_plugin_instantiate(plugin, rate, features.data());
  if (!instance) return;
  atomBuffers.assign(ports, {});
  LilvNode* atomPort = lilv_new_uri(world.World(), LV2_ATOM__AtomPort);
  for (uint32_t i = 0; i < ports; ++i) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
    if (lilv_port_is_a(plugin, port, atomPort)) {
      atomBuffers[i].assign(4096 / sizeof(uint64_t), 0);
      lilv_instance_connect_port(instance, i, atomBuffers[i].data());
    } else {
      lilv_instance_connect_port(instance, i, &controls[i]);
    }
  }
  lilv_node_free(atomPort);
  PrepareAtomPorts();
  lilv_instance_activate(instance);
}

Lv2Instance::~Lv2Instance() {
  if (!instance) return;
  lilv_instance_deactivate(instance);
  lilv_instance_free(instance);
}

uint32_t Lv2Instance::PortIndex(const char* symbol) const {
  LilvNode* node = lilv_new_string(world.World(), symbol);
  const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, node);
  lilv_node_free(node);
  return port ? lilv_port_get_index(plugin, port) : UINT32_MAX;
}

float* Lv2Instance::Control(const char* symbol) {
  const uint32_t index = PortIndex(symbol);
  return index < controls.size() ? &controls[index] : nullptr;
}

void Lv2Instance::Render(const std::vector<float>& left, const std::vector<float>& right,
                         std::vector<float>* outLeft, std::vector<float>* outRight,
                         const std::vector<int>& blockSizes) {
  const uint32_t inL = PortIndex("in_l"), inR = PortIndex("in_r");
  const uint32_t outL = PortIndex("out_l"), outR = PortIndex("out_r");
  const size_t frames = left.size();
  outLeft->assign(frames, 0.0f);
  outRight->assign(frames, 0.0f);
  size_t done = 0;
  for (size_t b = 0; done < frames; ++b) {
    const size_t n = std::min<size_t>(blockSizes[b % blockSizes.size()], frames - done);
    // Fresh buffers for every block, as a host's are never guaranteed to stay put.
    std::vector<float> l(left.begin() + done, left.begin() + done + n);
    std::vector<float> r(right.begin() + done, right.begin() + done + n);
    std::vector<float> ol(n), orr(n);
    lilv_instance_connect_port(instance, inL, l.data());
    lilv_instance_connect_port(instance, inR, r.data());
    lilv_instance_connect_port(instance, outL, ol.data());
    lilv_instance_connect_port(instance, outR, orr.data());
    PrepareAtomPorts();
    lilv_instance_run(instance, static_cast<uint32_t>(n));
    CollectReplies();
    std::copy(ol.begin(), ol.end(), outLeft->begin() + done);
    std::copy(orr.begin(), orr.end(), outRight->begin() + done);
    done += n;
  }
}

// Input sequences carry the queued messages at the block's first frame;
// output sequences get their whole buffer as room, as hosts give it.
void Lv2Instance::PrepareAtomPorts() {
  const uint32_t editorIn = PortIndex("editor_in");
  for (uint32_t i = 0; i < atomBuffers.size(); ++i) {
    if (atomBuffers[i].empty()) continue;
    auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(atomBuffers[i].data());
    const uint32_t bytes = static_cast<uint32_t>(atomBuffers[i].size() * sizeof(uint64_t));
    sequence->atom.type = world.Map(LV2_ATOM__Sequence);
    sequence->body.unit = 0;
    sequence->body.pad = 0;
    if (i != editorIn) {
      sequence->atom.size = bytes - sizeof(LV2_Atom);
      continue;
    }
    sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
    for (const std::vector<uint8_t>& atom : toPlugin) {
      auto* event = reinterpret_cast<LV2_Atom_Event*>(
          reinterpret_cast<uint8_t*>(&sequence->body) + lv2_atom_pad_size(sequence->atom.size));
      // An event is its time, then the whole atom, header included.
      const uint32_t eventBytes = sizeof(event->time) + static_cast<uint32_t>(atom.size());
      if (lv2_atom_pad_size(sequence->atom.size) + eventBytes > bytes - sizeof(LV2_Atom)) break;
      event->time.frames = 0;
      std::memcpy(&event->body, atom.data(), atom.size());
      sequence->atom.size = lv2_atom_pad_size(sequence->atom.size) + eventBytes;
    }
    toPlugin.clear();
  }
}

void Lv2Instance::CollectReplies() {
  const uint32_t editorOut = PortIndex("editor_out");
  if (editorOut >= atomBuffers.size() || atomBuffers[editorOut].empty()) return;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(atomBuffers[editorOut].data());
  LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&event->body);
    fromPlugin.emplace_back(bytes, bytes + lv2_atom_total_size(&event->body));
  }
}

std::vector<std::vector<uint8_t>> Lv2Instance::TakeEditorReplies() {
  std::vector<std::vector<uint8_t>> replies;
  replies.swap(fromPlugin);
  return replies;
}

void Lv2Instance::SetPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                               uint32_t type) {
  auto* self = static_cast<Lv2Instance*>(user);
  float* control = self->Control(symbol);
  if (!control || size != sizeof(float)) return;
  if (type == self->world.Map(LV2_ATOM__Float)) *control = *static_cast<const float*>(value);
  if (type == self->world.Map(LV2_ATOM__Double)) {
    *control = static_cast<float>(*static_cast<const double*>(value));
  }
  if (type == self->world.Map(LV2_ATOM__Int)) {
    *control = static_cast<float>(*static_cast<const int32_t*>(value));
  }
}

const void* Lv2Instance::PortValue(const char* symbol, void* user, uint32_t* size,
                                   uint32_t* type) {
  auto* self = static_cast<Lv2Instance*>(user);
  const uint32_t index = self->PortIndex(symbol);
  LilvNode* input = lilv_new_uri(self->world.World(), LILV_URI_INPUT_PORT);
  LilvNode* control = lilv_new_uri(self->world.World(), LILV_URI_CONTROL_PORT);
  const LilvPort* port = lilv_plugin_get_port_by_index(self->plugin, index);
  const bool isControlInput = port && lilv_port_is_a(self->plugin, port, input) &&
                              lilv_port_is_a(self->plugin, port, control);
  lilv_node_free(input);
  lilv_node_free(control);
  if (!isControlInput) return nullptr;
  *size = sizeof(float);
  *type = self->world.Map(LV2_ATOM__Float);
  return &self->controls[index];
}

bool Lv2Instance::ApplyState(const LilvState* state) {
  if (!state) return false;
  lilv_state_restore(state, instance, SetPortValue, this, 0, features.data());
  return true;
}

LilvState* Lv2Instance::SaveState() {
  return lilv_state_new_from_instance(plugin, instance, world.MapFeature(), nullptr, nullptr,
                                      nullptr, nullptr, PortValue, this, 0, features.data());
}
