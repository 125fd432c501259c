#include "vst3/Vst3Factory.h"

#include <new>

#include "product/TovraneProduct.h"
#include "vst3/FixedText.h"
#include "vst3/KestravonClass.h"
#include "vst3/TovraneVst3.h"

namespace kestravon_vst3 {
namespace {

// The product publishes no contact address.
constexpr const char* kVendorEmail = "";

// The only class index there is.
bool IsOurClass(vst3::int32 index) { return index == 0; }

void CopyClassId(vst3::TUID field) {
  for (size_t i = 0; i < kProcessorClassId.size(); ++i) {
    field[i] = static_cast<char>(kProcessorClassId[i]);
  }
}

// The fields every revision of the class record shares, but the name.
template <typename Record>
void FillClassBasics(Record& info) {
  CopyClassId(info.cid);
  info.cardinality = vst3::PClassInfo::kManyInstances;
  CopyText(info.category, vst3::kVstAudioEffectClass);
}

// The fields the second and Unicode revisions add, in either text width.
template <typename Record>
void FillClassDetails(Record& info) {
  const PlugIdentity identity = TovraneProduct::Identity();
  CopyText(info.name, identity.effectName);
  // No flag applies yet: whether processing and editing may run apart is
  // decided with the component.
  info.classFlags = 0;
  CopyText(info.subCategories, kSubCategories);
  CopyText(info.vendor, identity.vendorName);
  CopyText(info.version, TovraneProduct::VersionText());
  CopyText(info.sdkVersion, kInterfaceVersion);
}

}  // namespace

Vst3Factory& Vst3Factory::Instance() {
  static Vst3Factory factory;
  return factory;
}

bool Vst3Factory::Implements(const vst3::TUID requested) {
  return vst3::uidEquals(requested, vst3::FUnknown::iid) ||
         vst3::uidEquals(requested, vst3::IPluginFactory::iid) ||
         vst3::uidEquals(requested, vst3::IPluginFactory2::iid) ||
         vst3::uidEquals(requested, vst3::IPluginFactory3::iid);
}

vst3::tresult Vst3Factory::queryInterface(const vst3::TUID requested, void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  if (!Implements(requested)) {
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  // Each revision extends the one before, so one pointer serves all four.
  *obj = static_cast<vst3::IPluginFactory3*>(this);
  addRef();
  return vst3::kResultOk;
}

vst3::uint32 Vst3Factory::addRef() { return ++references; }

vst3::uint32 Vst3Factory::release() {
  // A host releasing more than it holds must not wrap the count around.
  vst3::uint32 count = references.load();
  while (count > 0 && !references.compare_exchange_weak(count, count - 1)) {
  }
  return count > 0 ? count - 1 : 0;
}

vst3::tresult Vst3Factory::getFactoryInfo(vst3::PFactoryInfo* info) {
  if (info == nullptr) return vst3::kInvalidArgument;
  CopyText(info->vendor, TovraneProduct::Identity().vendorName);
  CopyText(info->url, TovraneProduct::kWebPage);
  CopyText(info->email, kVendorEmail);
  info->flags = vst3::PFactoryInfo::kUnicode;
  return vst3::kResultOk;
}

vst3::int32 Vst3Factory::countClasses() { return 1; }

vst3::tresult Vst3Factory::getClassInfo(vst3::int32 index, vst3::PClassInfo* info) {
  if (info == nullptr || !IsOurClass(index)) return vst3::kInvalidArgument;
  FillClassBasics(*info);
  CopyText(info->name, TovraneProduct::Identity().effectName);
  return vst3::kResultOk;
}

vst3::tresult Vst3Factory::getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info) {
  if (info == nullptr || !IsOurClass(index)) return vst3::kInvalidArgument;
  FillClassBasics(*info);
  FillClassDetails(*info);
  return vst3::kResultOk;
}

vst3::tresult Vst3Factory::getClassInfoUnicode(vst3::int32 index, vst3::PClassInfoW* info) {
  if (info == nullptr || !IsOurClass(index)) return vst3::kInvalidArgument;
  FillClassBasics(*info);
  FillClassDetails(*info);
  return vst3::kResultOk;
}

// One object is the component and its controller: the host may ask for it
// by any of its interfaces. The host always gets a null object on failure,
// never a stale pointer.
vst3::tresult Vst3Factory::createInstance(vst3::FIDString cid, vst3::FIDString interfaceId,
                                          void** obj) {
  if (obj == nullptr) return vst3::kInvalidArgument;
  *obj = nullptr;
  if (!vst3::uidEquals(cid, kProcessorClassId)) return vst3::kResultFalse;
  TovraneVst3* plugin = nullptr;
  try {
    plugin = new TovraneVst3();
  } catch (const std::bad_alloc&) {
    return vst3::kOutOfMemory;
  }
  const vst3::tresult result = plugin->queryInterface(interfaceId, obj);
  // The host holds the reference its interface took, or none at all.
  plugin->release();
  return result;
}

// Nothing of the host is needed before there is a component, so the context
// is not kept (and so not referenced).
vst3::tresult Vst3Factory::setHostContext(vst3::FUnknown* /*context*/) { return vst3::kResultOk; }

}  // namespace kestravon_vst3
