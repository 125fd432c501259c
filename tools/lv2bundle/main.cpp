// Writes the LV2 bundle's Turtle files into the folder given.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "lv2/TovraneLv2.h"
#include "tools/lv2bundle/BundleTurtle.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) std::fprintf(stderr, "kestravon-lv2-bundle: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestravon-lv2-bundle BUNDLE_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  auto plug = std::make_unique<TovraneLv2>(48000.0, nullptr);
  const bool written = WriteFile(dir + "/manifest.ttl", bundle_turtle::Manifest(*plug)) &&
                       WriteFile(dir + "/Kestravon.ttl", bundle_turtle::PluginDescription(*plug)) &&
                       WriteFile(dir + "/presets.ttl", bundle_turtle::Presets(*plug));
  return written ? 0 : 1;
}
