#include "tools/vst3info/ModuleInfoWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace vst3info {
namespace {

// The order in which the 16 bytes of an identifier hold the bytes of its
// text, most significant first: on Windows the first word and the two
// halves of the second are stored little-endian.
constexpr std::array<int, 16> kTextOrder =
    vst3::kComCompatibleUids
        ? std::array<int, 16>{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15}
        : std::array<int, 16>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// A JSON string: quotes, backslashes and control characters escaped.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A fixed-size text field of a record, which may fill the field.
template <size_t size>
std::string FieldText(const char (&field)[size]) {
  return std::string(field, strnlen(field, size));
}

const char* Boolean(bool value) { return value ? "true" : "false"; }

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// "Fx|Distortion" as ["Fx", "Distortion"].
std::string SubCategoryList(const std::string& categories) {
  std::string out = "[";
  for (size_t start = 0; !categories.empty();) {
    const size_t bar = categories.find('|', start);
    out += (start == 0 ? "" : ", ") + Quoted(categories.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out + "]";
}

void Member(std::string* out, const char* indent, const char* name, const std::string& value,
            bool last = false) {
  *out += std::string(indent) + Quoted(name) + ": " + value + (last ? "\n" : ",\n");
}

}  // namespace

std::string ModuleInfoWriter::ClassIdText(const char* cid) {
  std::string text;
  for (const int index : kTextOrder) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(cid[index]));
    text += digits;
  }
  return text;
}

std::string ModuleInfoWriter::SnapshotPath(const std::string& classIdText, double scale) {
  const std::string suffix = scale == 1.0 ? "" : "_" + Number(scale) + "x";
  return "Snapshots/" + classIdText + "_snapshot" + suffix + ".png";
}

void ModuleInfoWriter::AddSnapshot(const std::string& classIdText, Snapshot snapshot) {
  snapshots.push_back({classIdText, std::move(snapshot)});
}

void ModuleInfoWriter::AddReplacement(const std::string& classIdText,
                                      std::vector<std::string> old) {
  replacements.push_back({classIdText, std::move(old)});
}

bool ModuleInfoWriter::Write(std::string* json, std::string* error) const {
  vst3::PFactoryInfo factoryInfo{};
  if (factory.getFactoryInfo(&factoryInfo) != vst3::kResultOk) {
    *error = "the factory gives no factory information";
    return false;
  }
  std::vector<vst3::PClassInfo2> classes(static_cast<size_t>(std::max(factory.countClasses(), 0)));
  for (size_t i = 0; i < classes.size(); ++i) {
    if (factory.getClassInfo2(static_cast<vst3::int32>(i), &classes[i]) != vst3::kResultOk) {
      *error = "the factory gives no information on class " + std::to_string(i);
      return false;
    }
  }
  // The module's version is its classes': the first one's.
  const std::string version = classes.empty() ? "" : FieldText(classes.front().version);

  std::string out = "{\n";
  Member(&out, "  ", "Name", Quoted(moduleName));
  Member(&out, "  ", "Version", Quoted(version));
  WriteFactoryInfo(factoryInfo, &out);
  WriteCompatibility(&out);
  out += "  \"Classes\": [";
  for (size_t i = 0; i < classes.size(); ++i) {
    out += i == 0 ? "\n" : ",\n";
    WriteClass(classes[i], &out);
  }
  out += classes.empty() ? "]\n}\n" : "\n  ]\n}\n";
  *json = std::move(out);
  return true;
}

void ModuleInfoWriter::WriteFactoryInfo(const vst3::PFactoryInfo& info, std::string* out) const {
  *out += "  \"Factory Info\": {\n";
  Member(out, "    ", "Vendor", Quoted(FieldText(info.vendor)));
  Member(out, "    ", "URL", Quoted(FieldText(info.url)));
  Member(out, "    ", "E-Mail", Quoted(FieldText(info.email)));
  const auto flag = [&info](int32_t bit) { return Boolean((info.flags & bit) != 0); };
  *out += "    \"Flags\": {\n";
  Member(out, "      ", "Unicode", flag(vst3::PFactoryInfo::kUnicode));
  Member(out, "      ", "Classes Discardable", flag(vst3::PFactoryInfo::kClassesDiscardable));
  Member(out, "      ", "Component Non Discardable",
         flag(vst3::PFactoryInfo::kComponentNonDiscardable), true);
  *out += "    }\n  },\n";
}

void ModuleInfoWriter::WriteCompatibility(std::string* out) const {
  *out += "  \"Compatibility\": [";
  for (size_t i = 0; i < replacements.size(); ++i) {
    *out += i == 0 ? "\n" : ",\n";
    *out += "    {\n";
    Member(out, "      ", "New", Quoted(replacements[i].replacing));
    std::string old = "[";
    for (size_t j = 0; j < replacements[i].old.size(); ++j) {
      old += (j == 0 ? "" : ", ") + Quoted(replacements[i].old[j]);
    }
    Member(out, "      ", "Old", old + "]", true);
    *out += "    }";
  }
  *out += replacements.empty() ? "],\n" : "\n  ],\n";
}

void ModuleInfoWriter::WriteClass(const vst3::PClassInfo2& info, std::string* out) const {
  const std::string classId = ClassIdText(info.cid);
  *out += "    {\n";
  Member(out, "      ", "CID", Quoted(classId));
  Member(out, "      ", "Category", Quoted(FieldText(info.category)));
  Member(out, "      ", "Name", Quoted(FieldText(info.name)));
  Member(out, "      ", "Vendor", Quoted(FieldText(info.vendor)));
  Member(out, "      ", "Version", Quoted(FieldText(info.version)));
  Member(out, "      ", "SDKVersion", Quoted(FieldText(info.sdkVersion)));
  Member(out, "      ", "Sub Categories", SubCategoryList(FieldText(info.subCategories)));
  Member(out, "      ", "Class Flags", std::to_string(info.classFlags));
  Member(out, "      ", "Cardinality", std::to_string(info.cardinality));
  WriteSnapshots(classId, out);
  *out += "    }";
}

void ModuleInfoWriter::WriteSnapshots(const std::string& classId, std::string* out) const {
  *out += "      \"Snapshots\": [";
  bool first = true;
  for (const ClassSnapshot& entry : snapshots) {
    if (entry.classId != classId) continue;
    *out += first ? "\n" : ",\n";
    first = false;
    *out += "        {\n";
    Member(out, "          ", "Scale Factor", Number(entry.snapshot.scale));
    Member(out, "          ", "Path", Quoted(entry.snapshot.path), true);
    *out += "        }";
  }
  *out += first ? "]\n" : "\n      ]\n";
}

}  // namespace vst3info
