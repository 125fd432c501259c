// The editor images as resources of type "PNG" with numeric names in the
// plug-in library's own module. Resource data lives as long as the module,
// so each answer is looked up once and kept.
#include <deque>
#include <mutex>

#include "ImageResources.h"
#include "Win32Api.h"
#include "core/ModuleHandle.h"

namespace {

struct LookedUp {
  EmbeddedResource resource;
  bool found;
};

struct ResourceTable {
  std::mutex mutex;
  // A deque keeps its elements in place as it grows, so the pointers handed
  // out stay valid.
  std::deque<LookedUp> entries;
};

ResourceTable& Table() {
  static ResourceTable table;
  return table;
}

LookedUp LookUp(HMODULE module, int id) {
  LookedUp result{{id, nullptr, nullptr}, false};
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
  if (!info) return result;
  HGLOBAL data = LoadResource(module, info);
  const auto* bytes = data ? static_cast<const unsigned char*>(LockResource(data)) : nullptr;
  if (!bytes) return result;
  result.resource.begin = bytes;
  result.resource.end = bytes + SizeofResource(module, info);
  result.found = true;
  return result;
}

}  // namespace

const EmbeddedResource* FindImageResource(int id) {
  // Numeric resource names are 16-bit and 0 is not one; a larger id would
  // alias a smaller one.
  if (id <= 0 || id > 0xFFFF) return nullptr;
  // Without the library's own handle the search would run through the host's
  // executable instead; nothing is remembered then.
  HMODULE module = static_cast<HMODULE>(ThisModule());
  if (!module) return nullptr;
  ResourceTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  for (const LookedUp& entry : table.entries) {
    if (entry.resource.id == id) return entry.found ? &entry.resource : nullptr;
  }
  // The lookup only maps the module's own pages, so it runs under the lock.
  table.entries.push_back(LookUp(module, id));
  const LookedUp& entry = table.entries.back();
  return entry.found ? &entry.resource : nullptr;
}
