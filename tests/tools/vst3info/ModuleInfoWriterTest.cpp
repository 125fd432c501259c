// The module information file as written from a factory, and the identifier
// of a VST 2 plug-in's class that goes into it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/vst3info/ModuleInfoWriter.h"
#include "tools/vst3info/Vst2ClassId.h"

using vst3info::ModuleInfoWriter;

namespace {

constexpr vst3::Uid kFirst = vst3::makeUid(0x828B1788, 0x73F14BAC, 0xBB3E1A0B, 0x22DC54B8);
// The VST 2 plug-in's unique id, 'Tovr'.
constexpr int32_t kTovr = 0x546F7672;
constexpr vst3::Uid kSecond = vst3::makeUid(0x01234567, 0x89ABCDEF, 0x00000000, 0xFFFFFFFF);

template <size_t size>
void Put(char (&field)[size], const char* text) {
  std::strncpy(field, text, size);
}

// A factory of two classes, the second with text a JSON writer must escape;
// it can refuse its factory record or one class.
class FakeFactory : public vst3::IPluginFactory2 {
 public:
  bool refuseFactory = false;
  int refusedClass = -1;

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID, void** obj) override {
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return 1; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return 1; }
  vst3::tresult KESTRAVON_VST3_CALL getFactoryInfo(vst3::PFactoryInfo* info) override {
    if (refuseFactory) return vst3::kResultFalse;
    *info = {};
    Put(info->vendor, "Ostrelle");
    Put(info->url, "https://ostrelle.com/kestravon");
    info->flags = vst3::PFactoryInfo::kUnicode | vst3::PFactoryInfo::kComponentNonDiscardable;
    return vst3::kResultOk;
  }
  vst3::int32 KESTRAVON_VST3_CALL countClasses() override { return 2; }
  vst3::tresult KESTRAVON_VST3_CALL getClassInfo(vst3::int32, vst3::PClassInfo*) override {
    return vst3::kNotImplemented;
  }
  vst3::tresult KESTRAVON_VST3_CALL createInstance(vst3::FIDString, vst3::FIDString,
                                                   void**) override {
    return vst3::kNotImplemented;
  }
  vst3::tresult KESTRAVON_VST3_CALL getClassInfo2(vst3::int32 index,
                                                  vst3::PClassInfo2* info) override {
    if (index == refusedClass) return vst3::kInvalidArgument;
    *info = {};
    std::memcpy(info->cid, (index == 0 ? kFirst : kSecond).data(), 16);
    info->cardinality = vst3::PClassInfo::kManyInstances;
    Put(info->category, vst3::kVstAudioEffectClass);
    Put(info->name, index == 0 ? "Kestravon" : "Say \"hi\"\\\n");
    info->classFlags = index == 0 ? 0u : vst3::uint32{vst3::kDistributable};
    Put(info->subCategories, index == 0 ? "Fx|Distortion" : "");
    Put(info->vendor, "Ostrelle");
    Put(info->version, index == 0 ? "1.0.0" : "2.3.4");
    Put(info->sdkVersion, "VST 3.7.0");
    return vst3::kResultOk;
  }
};

std::string Written(ModuleInfoWriter& writer) {
  std::string json, error;
  EXPECT_TRUE(writer.Write(&json, &error)) << error;
  return json;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Vst2ClassId, MarkUniqueIdAndLowerCaseName) {
  // "VST", kTovr, then "kestravon", each as its hexadecimal codes.
  EXPECT_EQ(vst3info::Vst2ClassIdText(kTovr, "Kestravon"), "565354546F76726B6573747261766F6E");
  EXPECT_EQ(vst3info::Vst2ClassIdText(kTovr, "KESTRAVON"),
            vst3info::Vst2ClassIdText(kTovr, "kestravon"));
}

TEST(Vst2ClassId, NameCutAtNineOrZeroFilled) {
  EXPECT_EQ(vst3info::Vst2ClassIdText(0x41424344, "Ab"), "56535441424344616200000000000000");
  EXPECT_EQ(vst3info::Vst2ClassIdText(0x41424344, "Abcdefghijkl"),
            vst3info::Vst2ClassIdText(0x41424344, "abcdefghi"));
  EXPECT_EQ(vst3info::Vst2ClassIdText(-1, "").substr(6, 8), "FFFFFFFF");
}

TEST(ModuleInfoWriter, ClassIdIsTheDocumentedTextOnThisPlatform) {
  EXPECT_EQ(ModuleInfoWriter::ClassIdText(reinterpret_cast<const char*>(kFirst.data())),
            "828B178873F14BACBB3E1A0B22DC54B8");
  EXPECT_EQ(ModuleInfoWriter::ClassIdText(reinterpret_cast<const char*>(kSecond.data())),
            "0123456789ABCDEF00000000FFFFFFFF");
}

TEST(ModuleInfoWriter, SnapshotPathsFollowTheScale) {
  EXPECT_EQ(ModuleInfoWriter::SnapshotPath("AB", 1.0), "Snapshots/AB_snapshot.png");
  EXPECT_EQ(ModuleInfoWriter::SnapshotPath("AB", 2.0), "Snapshots/AB_snapshot_2.0x.png");
}

TEST(ModuleInfoWriter, EveryFieldFromTheFactory) {
  FakeFactory factory;
  ModuleInfoWriter writer(factory, "Kestravon");
  const std::string json = Written(writer);
  for (const char* part :
       {"\"Name\": \"Kestravon\",", "\"Version\": \"1.0.0\",", "\"Vendor\": \"Ostrelle\",",
        "\"URL\": \"https://ostrelle.com/kestravon\",", "\"E-Mail\": \"\",", "\"Unicode\": true,",
        "\"Classes Discardable\": false,", "\"Component Non Discardable\": true\n",
        "\"Compatibility\": [],", "\"CID\": \"828B178873F14BACBB3E1A0B22DC54B8\",",
        "\"Category\": \"Audio Module Class\",", "\"SDKVersion\": \"VST 3.7.0\",",
        "\"Sub Categories\": [\"Fx\", \"Distortion\"],", "\"Class Flags\": 0,",
        "\"Cardinality\": 2147483647,",
        // The second class: escaped text, no sub-category, its own flags and version.
        "\"CID\": \"0123456789ABCDEF00000000FFFFFFFF\",",
        "\"Name\": \"Say \\\"hi\\\"\\\\\\u000A\",", "\"Sub Categories\": [],",
        "\"Class Flags\": 1,", "\"Version\": \"2.3.4\","}) {
    EXPECT_TRUE(Contains(json, part)) << part << " not in\n" << json;
  }
  EXPECT_FALSE(Contains(json, "Scale Factor"));
}

TEST(ModuleInfoWriter, SnapshotsAndReplacementsGoWithTheirClass) {
  FakeFactory factory;
  ModuleInfoWriter writer(factory, "Kestravon");
  const std::string second = "0123456789ABCDEF00000000FFFFFFFF";
  writer.AddSnapshot(second, {1.0, ModuleInfoWriter::SnapshotPath(second, 1.0)});
  writer.AddSnapshot(second, {2.0, ModuleInfoWriter::SnapshotPath(second, 2.0)});
  writer.AddReplacement(second, {"AAAA", "BBBB"});
  const std::string json = Written(writer);
  // Nothing for the first class, which comes first; both for the second.
  const size_t secondClass = json.find("\"CID\": \"" + second);
  ASSERT_NE(secondClass, std::string::npos);
  EXPECT_EQ(json.find("\"Snapshots\": []"), json.find("\"Snapshots\""));
  EXPECT_LT(json.find("\"Snapshots\": []"), secondClass);
  EXPECT_GT(json.find("\"Scale Factor\": 1.0,\n"), secondClass);
  EXPECT_TRUE(Contains(json, "\"Path\": \"Snapshots/" + second + "_snapshot_2.0x.png\""));
  EXPECT_TRUE(Contains(json, "\"New\": \"" + second + "\",\n      \"Old\": [\"AAAA\", \"BBBB\"]"));
}

TEST(ModuleInfoWriter, RefusedRecordsWriteNothing) {
  FakeFactory factory;
  ModuleInfoWriter writer(factory, "Kestravon");
  std::string json = "kept", error;
  factory.refuseFactory = true;
  EXPECT_FALSE(writer.Write(&json, &error));
  EXPECT_EQ(json, "kept");
  EXPECT_FALSE(error.empty());
  factory.refuseFactory = false;
  factory.refusedClass = 1;
  error.clear();
  EXPECT_FALSE(writer.Write(&json, &error));
  EXPECT_EQ(json, "kept");
  EXPECT_TRUE(Contains(error, "class 1"));
}
