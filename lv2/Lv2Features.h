#pragma once
#include <cstring>

#include <lv2/core/lv2.h>

// The data of the host's feature with this URI, or null when the host
// offers none.
inline void* FindLv2Feature(const LV2_Feature* const* features, const char* uri) {
  if (!features) return nullptr;
  for (int i = 0; features[i]; ++i) {
    if (features[i]->URI && std::strcmp(features[i]->URI, uri) == 0) return features[i]->data;
  }
  return nullptr;
}
