// The module as a CLAP host first meets it: its one export, entering and
// leaving in any order, the factory's descriptor, the audio ports, and the
// preset discovery factory listing the factory programs.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "ElfExports.h"
#include "PluginHost.h"
#include "SharedLibrary.h"
#include "Vst2Renders.h"
#include "host/ClapHost.h"

using namespace validation;

namespace {

std::vector<std::string> Features(const clap::clap_plugin_descriptor& descriptor) {
  std::vector<std::string> features;
  for (const char* const* f = descriptor.features; f != nullptr && *f != nullptr; ++f) {
    features.emplace_back(*f);
  }
  return features;
}

std::string Vst2Text(int32_t opcode, int32_t index = 0) {
  AEffect* effect = CreateEffect();
  char text[256] = {};
  Dispatch(effect, opcode, index, 0, text);
  Dispatch(effect, effClose);
  return text;
}

// The module loaded without being entered, as a host scanning it holds it.
class ClapModule : public ::testing::Test {
 protected:
  void SetUp() override {
    library = OpenSharedLibrary(KESTRAVON_CLAP_MODULE_PATH);
    ASSERT_NE(library, nullptr) << LastLoadError();
    entry = static_cast<const clap::clap_plugin_entry*>(FindLibrarySymbol(library, "clap_entry"));
    ASSERT_NE(entry, nullptr);
  }
  void TearDown() override { CloseSharedLibrary(library); }

  const clap::clap_plugin_factory* PluginFactory() const {
    return static_cast<const clap::clap_plugin_factory*>(
        entry->get_factory(clap::CLAP_PLUGIN_FACTORY_ID));
  }

  void* library = nullptr;
  const clap::clap_plugin_entry* entry = nullptr;
  RecordingHost host;
};

// The indexer and metadata receiver of a host's preset browser: what the
// provider declares and describes.
struct PresetIndex {
  PresetIndex() {
    indexer.clap_version = clap::CLAP_VERSION;
    indexer.name = "test indexer";
    indexer.indexer_data = this;
    indexer.declare_filetype = [](const clap::clap_preset_discovery_indexer*,
                                  const clap::clap_preset_discovery_filetype*) { return true; };
    indexer.declare_location = [](const clap::clap_preset_discovery_indexer* i,
                                  const clap::clap_preset_discovery_location* location) {
      static_cast<PresetIndex*>(i->indexer_data)->locations.push_back(*location);
      return true;
    };
    indexer.declare_soundpack = [](const clap::clap_preset_discovery_indexer*,
                                   const clap::clap_preset_discovery_soundpack*) { return true; };
    indexer.get_extension = [](const clap::clap_preset_discovery_indexer*,
                               const char*) -> const void* { return nullptr; };
    receiver.receiver_data = this;
    receiver.begin_preset = [](const clap::clap_preset_discovery_metadata_receiver* r,
                               const char* name, const char* key) {
      static_cast<PresetIndex*>(r->receiver_data)->presets.push_back({name, key, {}});
      return true;
    };
    receiver.add_plugin_id = [](const clap::clap_preset_discovery_metadata_receiver* r,
                                const clap::clap_universal_plugin_id* id) {
      static_cast<PresetIndex*>(r->receiver_data)
          ->presets.back()
          .pluginIds.push_back(std::string(id->abi) + ":" + id->id);
    };
  }

  struct Preset {
    std::string name;
    std::string loadKey;
    std::vector<std::string> pluginIds;
  };
  clap::clap_preset_discovery_indexer indexer{};
  clap::clap_preset_discovery_metadata_receiver receiver{};
  std::vector<clap::clap_preset_discovery_location> locations;
  std::vector<Preset> presets;
};

}  // namespace

TEST(ClapExports, TheModuleExportsClapEntryAlone) {
  EXPECT_EQ(ElfExports::Read(KESTRAVON_CLAP_MODULE_PATH), std::set<std::string>{"clap_entry"});
}

TEST_F(ClapModule, EntersAndLeavesInAnyOrder) {
  EXPECT_TRUE(clap::clap_version_is_compatible(entry->clap_version));
  entry->deinit();  // a leave without an entry changes nothing
  ASSERT_TRUE(entry->init(KESTRAVON_CLAP_MODULE_PATH));
  ASSERT_TRUE(entry->init(KESTRAVON_CLAP_MODULE_PATH)) << "entries nest";
  entry->deinit();
  ASSERT_NE(PluginFactory(), nullptr) << "still entered once";
  entry->deinit();
  entry->deinit();
  ASSERT_TRUE(entry->init(KESTRAVON_CLAP_MODULE_PATH));
  const clap::clap_plugin_factory* factory = PluginFactory();
  ASSERT_NE(factory, nullptr);
  const clap::clap_plugin* plugin =
      factory->create_plugin(factory, host.Host(), ClapHost::kPluginId);
  ASSERT_NE(plugin, nullptr) << "a plug-in after leaving and entering again";
  EXPECT_TRUE(plugin->init(plugin));
  plugin->destroy(plugin);
  entry->deinit();
}

TEST_F(ClapModule, TheFactoryDescribesOnePlugInAndRefusesUnknownIds) {
  ASSERT_TRUE(entry->init(KESTRAVON_CLAP_MODULE_PATH));
  const clap::clap_plugin_factory* factory = PluginFactory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(entry->get_factory("clap.unknown-factory"), nullptr);
  EXPECT_EQ(entry->get_factory(nullptr), nullptr);
  ASSERT_EQ(factory->get_plugin_count(factory), 1u);
  EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
  const clap::clap_plugin_descriptor* d = factory->get_plugin_descriptor(factory, 0);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(clap::clap_version_is_compatible(d->clap_version));
  EXPECT_STREQ(d->id, "com.ostrelle.kestravon");
  EXPECT_EQ(d->name, Vst2Text(effGetEffectName));
  EXPECT_EQ(d->vendor, Vst2Text(effGetVendorString));
  EXPECT_STREQ(d->vendor, "Ostrelle");
  EXPECT_STREQ(d->url, "https://ostrelle.com/kestravon");
  EXPECT_STREQ(d->version, KESTRAVON_PROJECT_VERSION);
  ASSERT_NE(d->description, nullptr);
  EXPECT_GT(std::strlen(d->description), 0u);
  EXPECT_EQ(Features(*d), (std::vector<std::string>{"audio-effect", "stereo", "distortion"}));

  EXPECT_EQ(factory->create_plugin(factory, host.Host(), "com.ostrelle.other"), nullptr);
  EXPECT_EQ(factory->create_plugin(factory, host.Host(), nullptr), nullptr);
  EXPECT_EQ(factory->create_plugin(factory, nullptr, d->id), nullptr);
  clap::clap_host old = *host.Host();
  old.clap_version = {0, 9, 0};
  EXPECT_EQ(factory->create_plugin(factory, &old, d->id), nullptr) << "a host before CLAP 1";
  const clap::clap_plugin* plugin = factory->create_plugin(factory, host.Host(), d->id);
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->desc, d);
  ASSERT_TRUE(plugin->init(plugin));
  EXPECT_EQ(plugin->get_extension(plugin, "clap.unknown"), nullptr);
  plugin->destroy(plugin);
  entry->deinit();
}

TEST(ClapPorts, OneStereoPortEachWayInPlaceAndIn64Bits) {
  ClapHost clap;
  ASSERT_EQ(clap.Failure(), "");
  const auto* ports =
      clap.PluginExtension<clap::clap_plugin_audio_ports>(clap::CLAP_EXT_AUDIO_PORTS);
  ASSERT_NE(ports, nullptr);
  for (bool input : {true, false}) {
    SCOPED_TRACE(input ? "input" : "output");
    ASSERT_EQ(ports->count(clap.Plugin(), input), 1u);
    clap::clap_audio_port_info info{};
    ASSERT_TRUE(ports->get(clap.Plugin(), 0, input, &info));
    EXPECT_EQ(info.id, 0u);
    EXPECT_EQ(info.channel_count, 2u);
    EXPECT_STREQ(info.port_type, clap::CLAP_PORT_STEREO);
    EXPECT_NE(info.flags & clap::CLAP_AUDIO_PORT_IS_MAIN, 0u);
    EXPECT_NE(info.flags & clap::CLAP_AUDIO_PORT_SUPPORTS_64BITS, 0u);
    EXPECT_EQ(info.in_place_pair, 0u);
    EXPECT_FALSE(ports->get(clap.Plugin(), 1, input, &info));
  }
}

TEST(ClapPresetDiscovery, TheProviderListsTheVst2ProgramsByLoadKey) {
  void* library = OpenSharedLibrary(KESTRAVON_CLAP_MODULE_PATH);
  ASSERT_NE(library, nullptr);
  const auto* entry =
      static_cast<const clap::clap_plugin_entry*>(FindLibrarySymbol(library, "clap_entry"));
  ASSERT_TRUE(entry->init(KESTRAVON_CLAP_MODULE_PATH));
  for (const char* id :
       {clap::CLAP_PRESET_DISCOVERY_FACTORY_ID, clap::CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT}) {
    SCOPED_TRACE(id);
    const auto* factory =
        static_cast<const clap::clap_preset_discovery_factory*>(entry->get_factory(id));
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(factory->count(factory), 1u);
    const auto* descriptor = factory->get_descriptor(factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(factory->get_descriptor(factory, 1), nullptr);
    PresetIndex index;
    EXPECT_EQ(factory->create(factory, &index.indexer, "other.provider"), nullptr);
    const auto* provider = factory->create(factory, &index.indexer, descriptor->id);
    ASSERT_NE(provider, nullptr);
    ASSERT_TRUE(provider->init(provider));
    ASSERT_EQ(index.locations.size(), 1u);
    EXPECT_EQ(index.locations[0].kind, clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN);
    EXPECT_EQ(index.locations[0].location, nullptr);
    EXPECT_NE(index.locations[0].flags & clap::CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, 0u);
    EXPECT_FALSE(provider->get_metadata(provider, clap::CLAP_PRESET_DISCOVERY_LOCATION_FILE,
                                        "/tmp/x", &index.receiver));
    ASSERT_TRUE(provider->get_metadata(provider, clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN,
                                       nullptr, &index.receiver));
    ASSERT_EQ(index.presets.size(), static_cast<size_t>(kNumPrograms));
    for (int p = 0; p < kNumPrograms; ++p) {
      EXPECT_EQ(index.presets[p].name, Vst2Text(effGetProgramNameIndexed, p));
      EXPECT_EQ(index.presets[p].loadKey, "program:" + std::to_string(p));
      EXPECT_EQ(index.presets[p].pluginIds,
                std::vector<std::string>{"clap:com.ostrelle.kestravon"});
    }
    provider->destroy(provider);
  }
  entry->deinit();
  CloseSharedLibrary(library);
}
