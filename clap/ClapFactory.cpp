#include "clap/ClapFactory.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "clap/TovraneClap.h"
#include "product/TovraneProduct.h"

namespace clap_factory {
namespace {

// What hosts sort the plug-in by in their browsers.
const char* const kFeatures[] = {clap::CLAP_PLUGIN_FEATURE_AUDIO_EFFECT,
                                 clap::CLAP_PLUGIN_FEATURE_STEREO,
                                 clap::CLAP_PLUGIN_FEATURE_DISTORTION, nullptr};

constexpr const char* kDescription =
    "Worn analogue media: tape hiss, wow and flutter, vinyl crackle, tube saturation, harmonics, "
    "tone shaping and a mid/side widener";

bool IsOurs(const char* pluginId) { return pluginId != nullptr && std::strcmp(pluginId, kPluginId) == 0; }

const clap::clap_plugin* CreatePlugin(const clap::clap_plugin_factory*, const clap::clap_host* host,
                                      const char* pluginId) {
  if (host == nullptr || !IsOurs(pluginId) || !clap::clap_version_is_compatible(host->clap_version)) {
    return nullptr;
  }
  try {
    return (new TovraneClap(&Descriptor(), host))->Plugin();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

const clap::clap_plugin_factory kPluginFactory{
    [](const clap::clap_plugin_factory*) -> uint32_t { return 1; },
    [](const clap::clap_plugin_factory*, uint32_t index) -> const clap::clap_plugin_descriptor* {
      return index == 0 ? &Descriptor() : nullptr;
    },
    CreatePlugin};

// The factory programs, inside the plug-in: one location of the plug-in's
// own kind, whose presets are loaded by their load keys.
constexpr const char* kProviderId = "com.ostrelle.kestravon.factory-programs";

const clap::clap_preset_discovery_provider_descriptor kProviderDescriptor{
    clap::CLAP_VERSION, kProviderId, "Kestravon factory programs", "Ostrelle"};

struct Provider {
  clap::clap_preset_discovery_provider record;
  const clap::clap_preset_discovery_indexer* indexer;
};

bool DeclareLocation(const clap::clap_preset_discovery_provider* provider) {
  const auto* self = static_cast<const Provider*>(provider->provider_data);
  const clap::clap_preset_discovery_location location{
      clap::CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, "Kestravon factory programs",
      clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr};
  return self->indexer->declare_location != nullptr &&
         self->indexer->declare_location(self->indexer, &location);
}

bool DescribePrograms(const clap::clap_preset_discovery_provider*, uint32_t locationKind,
                      const char* /*location*/,
                      const clap::clap_preset_discovery_metadata_receiver* receiver) {
  if (receiver == nullptr || receiver->begin_preset == nullptr ||
      locationKind != clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN) {
    return false;
  }
  const clap::clap_universal_plugin_id ours{"clap", kPluginId};
  for (int p = 0; p < TovraneProduct::FactoryProgramCount(); ++p) {
    char loadKey[32];
    std::snprintf(loadKey, sizeof loadKey, "%s%d", IPlugCLAP::kPresetLoadKeyPrefix, p);
    if (!receiver->begin_preset(receiver, TovraneProduct::FactoryProgramName(p), loadKey)) break;
    if (receiver->add_plugin_id != nullptr) receiver->add_plugin_id(receiver, &ours);
    if (receiver->set_flags != nullptr) {
      receiver->set_flags(receiver, clap::CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT);
    }
    if (receiver->add_creator != nullptr) {
      receiver->add_creator(receiver, TovraneProduct::Identity().vendorName);
    }
  }
  return true;
}

const clap::clap_preset_discovery_provider* CreateProvider(
    const clap::clap_preset_discovery_factory*, const clap::clap_preset_discovery_indexer* indexer,
    const char* providerId) {
  if (indexer == nullptr || providerId == nullptr || std::strcmp(providerId, kProviderId) != 0) {
    return nullptr;
  }
  Provider* provider = new (std::nothrow) Provider{};
  if (provider == nullptr) return nullptr;
  provider->indexer = indexer;
  provider->record.desc = &kProviderDescriptor;
  provider->record.provider_data = provider;
  provider->record.init = DeclareLocation;
  provider->record.destroy = [](const clap::clap_preset_discovery_provider* p) {
    delete static_cast<Provider*>(p->provider_data);
  };
  provider->record.get_metadata = DescribePrograms;
  provider->record.get_extension = [](const clap::clap_preset_discovery_provider*,
                                      const char*) -> const void* { return nullptr; };
  return &provider->record;
}

const clap::clap_preset_discovery_factory kPresetDiscoveryFactory{
    [](const clap::clap_preset_discovery_factory*) -> uint32_t { return 1; },
    [](const clap::clap_preset_discovery_factory*,
       uint32_t index) -> const clap::clap_preset_discovery_provider_descriptor* {
      return index == 0 ? &kProviderDescriptor : nullptr;
    },
    CreateProvider};

}  // namespace

const clap::clap_plugin_descriptor& Descriptor() {
  static const clap::clap_plugin_descriptor descriptor{clap::CLAP_VERSION,
                                                       kPluginId,
                                                       TovraneProduct::Identity().effectName,
                                                       TovraneProduct::Identity().vendorName,
                                                       TovraneProduct::kWebPage,
                                                       TovraneProduct::kWebPage,
                                                       TovraneProduct::kWebPage,
                                                       TovraneProduct::VersionText(),
                                                       kDescription,
                                                       kFeatures};
  return descriptor;
}

const void* Find(const char* factoryId) {
  if (factoryId == nullptr) return nullptr;
  if (std::strcmp(factoryId, clap::CLAP_PLUGIN_FACTORY_ID) == 0) return &kPluginFactory;
  if (std::strcmp(factoryId, clap::CLAP_PRESET_DISCOVERY_FACTORY_ID) == 0 ||
      std::strcmp(factoryId, clap::CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT) == 0) {
    return &kPresetDiscoveryFactory;
  }
  return nullptr;
}

}  // namespace clap_factory
