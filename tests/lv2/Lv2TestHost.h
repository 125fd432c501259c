// A small LV2 host on lilv, as hosts load plug-ins: it discovers bundles in
// a folder, instantiates a plug-in with URID mapping and the block-length
// option, keeps a buffer for every port, runs blocks, applies presets and
// saves and restores state.
#pragma once
#include <lilv/lilv.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class Lv2World {
 public:
  // Loads every bundle in folder, as LV2_PATH would.
  explicit Lv2World(const std::string& folder);
  ~Lv2World();
  Lv2World(const Lv2World&) = delete;
  Lv2World& operator=(const Lv2World&) = delete;

  LilvWorld* World() const { return world; }
  const LilvPlugin* Plugin(const char* uri) const;
  LilvNode* Uri(const char* uri) const { return lilv_new_uri(world, uri); }

  LV2_URID Map(const char* uri);
  const char* Unmap(LV2_URID urid) const;
  LV2_URID_Map* MapFeature() { return &mapFeature; }
  LV2_URID_Unmap* UnmapFeature() { return &unmapFeature; }

 private:
  LilvWorld* world;
  std::map<std::string, LV2_URID> ids;
  std::vector<std::string> names;
  LV2_URID_Map mapFeature;
  LV2_URID_Unmap unmapFeature;
};

class Lv2Instance {
 public:
  // maxBlock 0 gives the plug-in no block-length option.
  Lv2Instance(Lv2World& world, const LilvPlugin* plugin, double rate, int maxBlock = 4096);
  ~Lv2Instance();
  Lv2Instance(const Lv2Instance&) = delete;
  Lv2Instance& operator=(const Lv2Instance&) = delete;

  bool Ok() const { return instance != nullptr; }
  // The value buffer of a control port, by symbol; null for none.
  float* Control(const char* symbol);
  uint32_t PortIndex(const char* symbol) const;
  // Runs frames from the stereo input into the stereo output, in blocks of
  // the sizes given in turn.
  void Render(const std::vector<float>& left, const std::vector<float>& right,
              std::vector<float>* outLeft, std::vector<float>* outRight,
              const std::vector<int>& blockSizes);

  // The editor's messages: atoms for the plug-in's next block, and the
  // atoms it sent back since the last call.
  void SendEditorMessage(const std::vector<uint8_t>& atom) { toPlugin.push_back(atom); }
  std::vector<std::vector<uint8_t>> TakeEditorReplies();

  // The presets and state, through lilv as a host uses it.
  bool ApplyState(const LilvState* state);
  LilvState* SaveState();

  LilvInstance* Instance() const { return instance; }

 private:
  static void SetPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                           uint32_t type);
  static const void* PortValue(const char* symbol, void* user, uint32_t* size, uint32_t* type);

  void PrepareAtomPorts();
  void CollectReplies();

  Lv2World& world;
  const LilvPlugin* plugin;
  // Event buffers of the atom ports, 8-byte aligned; empty for other ports.
  std::vector<std::vector<uint64_t>> atomBuffers;
  std::vector<std::vector<uint8_t>> toPlugin;
  std::vector<std::vector<uint8_t>> fromPlugin;
  LilvInstance* instance = nullptr;
  std::vector<float> controls;
  std::vector<std::vector<float>> audio;
  int32_t maxBlockValue;
  std::vector<LV2_Options_Option> options;
  LV2_Feature mapFeature;
  LV2_Feature unmapFeature;
  LV2_Feature optionsFeature;
  std::vector<const LV2_Feature*> features;
};
