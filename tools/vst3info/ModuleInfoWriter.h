#pragma once
// The text of a VST 3 bundle's Contents/Resources/moduleinfo.json.
#include <string>
#include <vector>

#include "vst3/Vst3Abi.h"

namespace vst3info {

// Writes what a module's factory says of itself as the module information
// file hosts read instead of loading the module: the factory's vendor and
// flags and every class in its second revision, with the pictures of each
// class's editor the bundle carries and the classes of other plug-ins each
// class replaces. The text is plain JSON, which JSON5 readers also take.
class ModuleInfoWriter {
 public:
  struct Snapshot {
    double scale = 1.0;
    std::string path;  // within Contents/Resources
  };

  ModuleInfoWriter(vst3::IPluginFactory2& factory, std::string moduleName)
      : factory(factory), moduleName(std::move(moduleName)) {}

  // A class's 16 bytes as hosts print them: the four words of its
  // documented text, 32 upper-case hexadecimal digits, on any platform.
  static std::string ClassIdText(const char* cid);
  // Where the bundle keeps the picture of a class's editor at this scale.
  static std::string SnapshotPath(const std::string& classIdText, double scale);

  void AddSnapshot(const std::string& classIdText, Snapshot snapshot);
  // The class `classIdText` replaces the classes `old` (in the same text).
  void AddReplacement(const std::string& classIdText, std::vector<std::string> old);

  // The file's text; false with a reason when the factory refuses a record.
  bool Write(std::string* json, std::string* error) const;

 private:
  struct Replacement {
    std::string replacing;
    std::vector<std::string> old;
  };
  struct ClassSnapshot {
    std::string classId;
    Snapshot snapshot;
  };

  void WriteFactoryInfo(const vst3::PFactoryInfo& info, std::string* out) const;
  void WriteCompatibility(std::string* out) const;
  void WriteClass(const vst3::PClassInfo2& info, std::string* out) const;
  void WriteSnapshots(const std::string& classId, std::string* out) const;

  vst3::IPluginFactory2& factory;
  std::string moduleName;
  std::vector<ClassSnapshot> snapshots;
  std::vector<Replacement> replacements;
};

}  // namespace vst3info
