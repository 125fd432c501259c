// Writes a VST 3 bundle's module information, Contents/Resources/
// moduleinfo.json, from the plug-in's own factory, and puts the picture of
// its editor, when given, where hosts look for it:
//   kestravon-vst3-info RESOURCES_DIR [EDITOR_PNG]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "product/TovraneProduct.h"
#include "tools/vst3info/ModuleInfoWriter.h"
#include "tools/vst3info/Vst2ClassId.h"
#include "vst3/Vst3Factory.h"

namespace fs = std::filesystem;

namespace {

bool Fail(const std::string& message) {
  std::fprintf(stderr, "kestravon-vst3-info: %s\n", message.c_str());
  return false;
}

// The module is named as its bundle: Kestravon.vst3/Contents/Resources.
std::string ModuleName(const fs::path& resources) {
  return resources.parent_path().parent_path().stem().string();
}

// The editor's picture at its own size, the only one it is drawn at.
bool PlaceSnapshot(const fs::path& resources, const fs::path& picture, const std::string& classId,
                   vst3info::ModuleInfoWriter* writer) {
  const std::string path = vst3info::ModuleInfoWriter::SnapshotPath(classId, 1.0);
  std::error_code error;
  fs::create_directories((resources / path).parent_path(), error);
  if (error ||
      !fs::copy_file(picture, resources / path, fs::copy_options::overwrite_existing, error)) {
    return Fail("cannot copy " + picture.string() + " into the bundle: " + error.message());
  }
  writer->AddSnapshot(classId, {1.0, path});
  return true;
}

bool Run(const fs::path& resources, const fs::path* picture) {
  auto& factory = kestravon_vst3::Vst3Factory::Instance();
  vst3::PClassInfo effect{};
  if (factory.getClassInfo(0, &effect) != vst3::kResultOk) return Fail("the factory has no class");
  const std::string classId = vst3info::ModuleInfoWriter::ClassIdText(effect.cid);

  vst3info::ModuleInfoWriter writer(factory, ModuleName(resources));
  // The effect replaces the VST 2 plug-in in hosts that know both.
  const PlugIdentity identity = TovraneProduct::Identity();
  writer.AddReplacement(classId,
                        {vst3info::Vst2ClassIdText(identity.uniqueId, identity.effectName)});
  // Pictures of an earlier build must not stay behind unlisted.
  std::error_code ignored;
  fs::remove_all(resources / "Snapshots", ignored);
  if (picture && !PlaceSnapshot(resources, *picture, classId, &writer)) return false;

  std::string json, error;
  if (!writer.Write(&json, &error)) return Fail(error);
  std::ofstream file(resources / "moduleinfo.json", std::ios::binary | std::ios::trunc);
  file << json;
  file.close();
  return file ? true : Fail("cannot write " + (resources / "moduleinfo.json").string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: kestravon-vst3-info RESOURCES_DIR [EDITOR_PNG]\n");
    return 2;
  }
  fs::path resources = fs::absolute(argv[1]).lexically_normal();
  if (resources.filename().empty()) resources = resources.parent_path();
  const fs::path picture = argc == 3 ? fs::path(argv[2]) : fs::path();
  std::error_code error;
  fs::create_directories(resources, error);
  if (error) {
    Fail("cannot make " + resources.string() + ": " + error.message());
    return 1;
  }
  return Run(resources, argc == 3 ? &picture : nullptr) ? 0 : 1;
}
