#pragma once
// The host's side of the edit controller: it records every call the plug-in
// makes to it, from whichever thread, for a test to read back.
#include <mutex>
#include <vector>

#include "vst3/Vst3Abi.h"

class ComponentHandler : public vst3::IComponentHandler {
 public:
  enum class Kind { Begin, Perform, End, Restart };
  struct Call {
    Kind kind;
    vst3::ParamID id;         // none for a restart
    vst3::ParamValue value;   // performEdit's only
    vst3::int32 flags;        // restartComponent's only
    bool operator==(const Call&) const = default;
  };

  std::vector<Call> Calls() const;
  void Forget();

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override;
  vst3::uint32 KESTRAVON_VST3_CALL release() override;
  // References the plug-in holds beyond the test's own.
  vst3::uint32 References() const;

  vst3::tresult KESTRAVON_VST3_CALL beginEdit(vst3::ParamID id) override;
  vst3::tresult KESTRAVON_VST3_CALL performEdit(vst3::ParamID id,
                                                vst3::ParamValue valueNormalized) override;
  vst3::tresult KESTRAVON_VST3_CALL endEdit(vst3::ParamID id) override;
  vst3::tresult KESTRAVON_VST3_CALL restartComponent(vst3::int32 flags) override;

 private:
  void Record(const Call& call);

  mutable std::mutex lock;
  std::vector<Call> calls;
  vst3::uint32 references = 0;
};
