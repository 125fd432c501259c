#pragma once
#include <cstdint>
#include <cstring>

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

// The data of the host's feature with this URI, or null when the host
// offers none.
inline void* FindLv2Feature(const LV2_Feature* const* features, const char* uri) {
  if (!features) return nullptr;
  for (int i = 0; features[i]; ++i) {
    if (features[i]->URI && std::strcmp(features[i]->URI, uri) == 0) return features[i]->data;
  }
  return nullptr;
}

// The value of the first option with this key, type and size in a host's
// options list (which ends at an option with neither key nor value), or null.
// An option of another type or size is the host's mistake and is passed over.
inline const void* FindLv2Option(const LV2_Options_Option* options, LV2_URID key, LV2_URID type,
                                 uint32_t size) {
  if (!options) return nullptr;
  for (const LV2_Options_Option* o = options; o->key || o->value; ++o) {
    if (o->key == key && o->type == type && o->size == size && o->value) return o->value;
  }
  return nullptr;
}
