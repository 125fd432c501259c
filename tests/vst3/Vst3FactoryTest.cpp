// The module's factory, read through its three revisions as a host scanning
// plug-ins does.
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "Vst3Module.h"

namespace {

// The class identifier, written here as well so that a change to the one in
// the module fails: hosts know the plug-in by it.
constexpr vst3::Uid kClassId = vst3::makeUid(0x828B1788, 0x73F14BAC, 0xBB3E1A0B, 0x22DC54B8);
constexpr unsigned char kFill = 0xAB;

template <typename Record>
Record Filled() {
  Record record;
  std::memset(&record, kFill, sizeof record);
  return record;
}

std::u16string Text16(const char16_t* field) { return std::u16string(field); }

// The text ends within the field and every unit after it is zero.
template <typename Unit, size_t size>
bool ZeroFilled(const Unit (&field)[size]) {
  size_t i = 0;
  while (i < size && field[i] != Unit{0}) ++i;
  if (i == size) return false;
  for (; i < size; ++i) {
    if (field[i] != Unit{0}) return false;
  }
  return true;
}

bool HasClassId(const vst3::TUID cid) { return vst3::uidEquals(cid, kClassId); }

const char* Iid(const vst3::Uid& uid) { return reinterpret_cast<const char*>(uid.data()); }

}  // namespace

TEST_F(Vst3Module, FactoryInfoNamesTheVendorAndItsPage) {
  auto info = Filled<vst3::PFactoryInfo>();
  ASSERT_EQ(factory->getFactoryInfo(&info), vst3::kResultOk);
  EXPECT_STREQ(info.vendor, "Ostrelle");
  EXPECT_STREQ(info.url, "https://ostrelle.com/kestravon");
  EXPECT_STREQ(info.email, "");
  EXPECT_EQ(info.flags, vst3::PFactoryInfo::kUnicode);
  EXPECT_TRUE(ZeroFilled(info.vendor));
  EXPECT_TRUE(ZeroFilled(info.url));
  EXPECT_TRUE(ZeroFilled(info.email));
  EXPECT_EQ(factory->getFactoryInfo(nullptr), vst3::kInvalidArgument);
}

TEST_F(Vst3Module, OneClassTheEffect) {
  EXPECT_EQ(factory->countClasses(), 1);
  auto info = Filled<vst3::PClassInfo>();
  ASSERT_EQ(factory->getClassInfo(0, &info), vst3::kResultOk);
  EXPECT_TRUE(HasClassId(info.cid));
  EXPECT_EQ(info.cardinality, vst3::PClassInfo::kManyInstances);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "Kestravon");
  EXPECT_TRUE(ZeroFilled(info.category));
  EXPECT_TRUE(ZeroFilled(info.name));
}

TEST_F(Vst3Module, SecondRevisionDescribesTheClassInFull) {
  auto* factory2 = Query<vst3::IPluginFactory2>();
  ASSERT_NE(factory2, nullptr);
  auto info = Filled<vst3::PClassInfo2>();
  ASSERT_EQ(factory2->getClassInfo2(0, &info), vst3::kResultOk);
  EXPECT_TRUE(HasClassId(info.cid));
  EXPECT_EQ(info.cardinality, vst3::PClassInfo::kManyInstances);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "Kestravon");
  EXPECT_EQ(info.classFlags, 0u);
  EXPECT_STREQ(info.subCategories, "Fx|Distortion");
  EXPECT_STREQ(info.vendor, "Ostrelle");
  EXPECT_STREQ(info.version, KESTRAVON_PROJECT_VERSION);
  EXPECT_STREQ(info.sdkVersion, "VST 3.7.0");
  EXPECT_TRUE(ZeroFilled(info.subCategories));
  EXPECT_TRUE(ZeroFilled(info.vendor));
  EXPECT_TRUE(ZeroFilled(info.version));
  EXPECT_TRUE(ZeroFilled(info.sdkVersion));
  EXPECT_EQ(factory2->release(), 1u);
}

TEST_F(Vst3Module, UnicodeRevisionDescribesTheClassInUtf16) {
  auto* factory3 = Query<vst3::IPluginFactory3>();
  ASSERT_NE(factory3, nullptr);
  auto info = Filled<vst3::PClassInfoW>();
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &info), vst3::kResultOk);
  EXPECT_TRUE(HasClassId(info.cid));
  EXPECT_EQ(info.cardinality, vst3::PClassInfo::kManyInstances);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_EQ(Text16(info.name), u"Kestravon");
  EXPECT_EQ(info.classFlags, 0u);
  EXPECT_STREQ(info.subCategories, "Fx|Distortion");
  EXPECT_EQ(Text16(info.vendor), u"Ostrelle");
  EXPECT_EQ(Text16(info.version), u"" KESTRAVON_PROJECT_VERSION);
  EXPECT_EQ(Text16(info.sdkVersion), u"VST 3.7.0");
  EXPECT_TRUE(ZeroFilled(info.name));
  EXPECT_TRUE(ZeroFilled(info.version));
  EXPECT_TRUE(ZeroFilled(info.sdkVersion));
  EXPECT_EQ(factory3->setHostContext(nullptr), vst3::kResultOk);
  EXPECT_EQ(factory3->release(), 1u);
}

TEST_F(Vst3Module, NoClassBeyondTheFirst) {
  auto* factory3 = Query<vst3::IPluginFactory3>();
  ASSERT_NE(factory3, nullptr);
  for (vst3::int32 index : {-1, 1, 2}) {
    auto info = Filled<vst3::PClassInfo>();
    auto info2 = Filled<vst3::PClassInfo2>();
    auto infoW = Filled<vst3::PClassInfoW>();
    EXPECT_EQ(factory3->getClassInfo(index, &info), vst3::kInvalidArgument) << index;
    EXPECT_EQ(factory3->getClassInfo2(index, &info2), vst3::kInvalidArgument) << index;
    EXPECT_EQ(factory3->getClassInfoUnicode(index, &infoW), vst3::kInvalidArgument) << index;
  }
  EXPECT_EQ(factory3->getClassInfo(0, nullptr), vst3::kInvalidArgument);
  EXPECT_EQ(factory3->getClassInfo2(0, nullptr), vst3::kInvalidArgument);
  EXPECT_EQ(factory3->getClassInfoUnicode(0, nullptr), vst3::kInvalidArgument);
  EXPECT_EQ(factory3->release(), 1u);
}

TEST_F(Vst3Module, EachRevisionIsTheSameObjectWithOneMoreReference) {
  EXPECT_EQ(factory->addRef(), 2u);
  EXPECT_EQ(factory->release(), 1u);
  void* unknown = Query<vst3::FUnknown>();
  void* first = Query<vst3::IPluginFactory>();
  void* second = Query<vst3::IPluginFactory2>();
  void* third = Query<vst3::IPluginFactory3>();
  EXPECT_EQ(unknown, factory);
  EXPECT_EQ(first, factory);
  EXPECT_EQ(second, factory);
  EXPECT_EQ(third, factory);
  EXPECT_EQ(factory->release(), 4u);
  EXPECT_EQ(factory->release(), 3u);
  EXPECT_EQ(factory->release(), 2u);
  EXPECT_EQ(factory->release(), 1u);
}

TEST_F(Vst3Module, OtherInterfacesAreRefusedWithANullObject) {
  for (const vst3::Uid* iid : {&vst3::IComponent::iid, &vst3::IEditController::iid,
                               &vst3::IPluginBase::iid, &kClassId}) {
    void* obj = &obj;
    EXPECT_EQ(factory->queryInterface(Iid(*iid), &obj), vst3::kNoInterface);
    EXPECT_EQ(obj, nullptr);
  }
  EXPECT_EQ(factory->queryInterface(Iid(vst3::IPluginFactory::iid), nullptr), vst3::kInvalidArgument);
  EXPECT_EQ(factory->addRef(), 2u) << "a refused query took a reference";
  EXPECT_EQ(factory->release(), 1u);
}

TEST_F(Vst3Module, ReleasingMoreThanWasTakenKeepsTheCountAtZero) {
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_EQ(factory->addRef(), 1u);
}

TEST_F(Vst3Module, ReferencesFromManyThreadsAddUp) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this] {
      for (int i = 0; i < 20000; ++i) factory->addRef();
      for (int i = 0; i < 19999; ++i) factory->release();
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(factory->addRef(), 6u);
  for (int i = 0; i < 5; ++i) factory->release();
}

// One object is the component and its controller: asked for by any of its
// interfaces it is the same object, its references are counted across them,
// and what it is not, or a class that is not ours, gives the host nothing.
TEST_F(Vst3Module, InstancesAreOneObjectBehindEveryInterface) {
  void* component = nullptr;
  ASSERT_EQ(factory->createInstance(Iid(kClassId), Iid(vst3::IComponent::iid), &component),
            vst3::kResultOk);
  auto* unknown = static_cast<vst3::IComponent*>(component);
  auto identity = [](vst3::FUnknown* object) {
    void* base = nullptr;
    EXPECT_EQ(object->queryInterface(Iid(vst3::FUnknown::iid), &base), vst3::kResultOk);
    static_cast<vst3::FUnknown*>(base)->release();
    return base;
  };
  for (const vst3::Uid& iid : {vst3::IAudioProcessor::iid, vst3::IEditController::iid,
                               vst3::IEditController2::iid, vst3::IUnitInfo::iid,
                               vst3::IProcessContextRequirements::iid, vst3::IPluginBase::iid}) {
    void* other = nullptr;
    ASSERT_EQ(unknown->queryInterface(Iid(iid), &other), vst3::kResultOk);
    EXPECT_EQ(identity(static_cast<vst3::FUnknown*>(other)), identity(unknown));
    static_cast<vst3::FUnknown*>(other)->release();
  }
  void* controller = nullptr;
  ASSERT_EQ(factory->createInstance(Iid(kClassId), Iid(vst3::IEditController::iid), &controller),
            vst3::kResultOk);
  EXPECT_NE(identity(static_cast<vst3::FUnknown*>(controller)), identity(unknown))
      << "each instance is an object of its own";
  EXPECT_EQ(static_cast<vst3::FUnknown*>(controller)->release(), 0u);
  void* refused = &refused;
  EXPECT_EQ(unknown->queryInterface(Iid(vst3::IPluginFactory::iid), &refused), vst3::kNoInterface);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(unknown->addRef(), 2u);
  EXPECT_EQ(unknown->release(), 1u);
  EXPECT_EQ(unknown->release(), 0u);

  void* obj = &obj;
  EXPECT_EQ(factory->createInstance(Iid(kClassId), Iid(vst3::IPluginFactory::iid), &obj),
            vst3::kNoInterface);
  EXPECT_EQ(obj, nullptr);
  obj = &obj;
  EXPECT_EQ(factory->createInstance(Iid(vst3::IComponent::iid), Iid(vst3::IComponent::iid), &obj),
            vst3::kResultFalse);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(factory->createInstance(Iid(kClassId), Iid(vst3::IComponent::iid), nullptr),
            vst3::kInvalidArgument);
  obj = &obj;
  EXPECT_EQ(factory->createInstance(nullptr, nullptr, &obj), vst3::kResultFalse);
  EXPECT_EQ(obj, nullptr);
}
