#pragma once
#include <atomic>

#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {

// The module's factory, which GetPluginFactory hands to hosts: it describes
// the vendor and the plug-in's one class in the three revisions of the
// factory interface. It holds no state but its reference count, so the
// module keeps a single instance for its whole life and a count of zero
// frees nothing: a host that releases it and asks again gets the same one.
class Vst3Factory final : public vst3::IPluginFactory3 {
 public:
  static Vst3Factory& Instance();

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override;
  vst3::uint32 KESTRAVON_VST3_CALL release() override;

  vst3::tresult KESTRAVON_VST3_CALL getFactoryInfo(vst3::PFactoryInfo* info) override;
  vst3::int32 KESTRAVON_VST3_CALL countClasses() override;
  vst3::tresult KESTRAVON_VST3_CALL getClassInfo(vst3::int32 index, vst3::PClassInfo* info) override;
  vst3::tresult KESTRAVON_VST3_CALL createInstance(vst3::FIDString cid, vst3::FIDString interfaceId,
                                                   void** obj) override;
  vst3::tresult KESTRAVON_VST3_CALL getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info) override;
  vst3::tresult KESTRAVON_VST3_CALL getClassInfoUnicode(vst3::int32 index,
                                                        vst3::PClassInfoW* info) override;
  vst3::tresult KESTRAVON_VST3_CALL setHostContext(vst3::FUnknown* context) override;

 private:
  Vst3Factory() = default;
  ~Vst3Factory() = default;

  // Whether the interface with these 16 bytes is one this object is.
  static bool Implements(const vst3::TUID requested);

  std::atomic<vst3::uint32> references{0};
};

}  // namespace kestravon_vst3
