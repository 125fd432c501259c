#include "ImageResources.h"

// Generated at build time from resources/img; ends with an entry of id 0.
extern const EmbeddedResource kEmbeddedImages[];

const EmbeddedResource* FindImageResource(int id) {
  if (id == 0) return nullptr;
  for (const EmbeddedResource* entry = kEmbeddedImages; entry->id != 0; ++entry) {
    if (entry->id == id) return entry;
  }
  return nullptr;
}
