// What a test host hears from an LV2 user interface through suil: its port
// writes and the size it asks for, and the file paths lilv gives as URIs.
#pragma once
#include <lilv/lilv.h>
#include <lv2/ui/ui.h>
#include <suil/suil.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct PortWrite {
  uint32_t port;
  uint32_t protocol;
  float value;  // for the float protocol
  std::vector<uint8_t> bytes;
};

struct UiHostRecorder {
  std::vector<PortWrite> writes;
  int width = 0;
  int height = 0;

  static void Write(SuilController controller, uint32_t port, uint32_t size, uint32_t protocol,
                    const void* buffer) {
    auto* self = static_cast<UiHostRecorder*>(controller);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    float value = 0.0f;
    if (protocol == 0 && size == sizeof value) std::memcpy(&value, buffer, sizeof value);
    self->writes.push_back({port, protocol, value, std::vector<uint8_t>(bytes, bytes + size)});
  }
  static int Resize(LV2UI_Feature_Handle handle, int w, int h) {
    auto* self = static_cast<UiHostRecorder*>(handle);
    self->width = w;
    self->height = h;
    return 0;
  }
};

inline std::string FilePath(const LilvNode* uri) {
  char* path = lilv_file_uri_parse(lilv_node_as_uri(uri), nullptr);
  std::string text = path ? path : "";
  lilv_free(path);
  return text;
}
