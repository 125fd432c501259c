#pragma once
// The parameter changes of one block, a queue per parameter, as the host
// passes them to process (and as it takes the plug-in's own changes back).
// Every queue is made up front: a list in use never allocates, whichever side
// adds to it during a block.
#include <vector>

#include "ParamValueQueue.h"
#include "vst3/Vst3Abi.h"

class ParameterChanges : public vst3::IParameterChanges {
 public:
  explicit ParameterChanges(int queueCapacity = 32);

  // Adds a point for `id`, making its queue if the block has none yet.
  void Add(vst3::ParamID id, vst3::int32 sampleOffset, vst3::ParamValue value);
  // Empties the list for the next block.
  void Clear() { used = 0; }

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return 1; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return 1; }
  vst3::int32 KESTRAVON_VST3_CALL getParameterCount() override { return used; }
  vst3::IParamValueQueue* KESTRAVON_VST3_CALL getParameterData(vst3::int32 index) override;
  // The queue of `id`, new or already in the list; null when the list is full.
  vst3::IParamValueQueue* KESTRAVON_VST3_CALL addParameterData(const vst3::ParamID& id,
                                                               vst3::int32& index) override;

 private:
  std::vector<ParamValueQueue> queues;
  vst3::int32 used = 0;
};
