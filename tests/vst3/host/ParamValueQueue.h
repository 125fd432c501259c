#pragma once
// One parameter's changes within a block, as the host passes them to process:
// points ordered by their sample offset. The room for points is taken when
// the queue is made, so that neither side allocates while a block runs.
#include <vector>

#include "vst3/Vst3Abi.h"

class ParamValueQueue : public vst3::IParamValueQueue {
 public:
  struct Point {
    vst3::int32 offset;
    vst3::ParamValue value;
  };

  explicit ParamValueQueue(int capacity = 64) { points.reserve(capacity); }

  // Starts the queue over for parameter `id`, with no points.
  void Reset(vst3::ParamID newId) {
    id = newId;
    points.clear();
  }

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return 1; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return 1; }
  vst3::ParamID KESTRAVON_VST3_CALL getParameterId() override { return id; }
  vst3::int32 KESTRAVON_VST3_CALL getPointCount() override {
    return static_cast<vst3::int32>(points.size());
  }
  vst3::tresult KESTRAVON_VST3_CALL getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                                             vst3::ParamValue& value) override;
  // A point at an offset already held replaces its value; a full queue refuses.
  vst3::tresult KESTRAVON_VST3_CALL addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                                             vst3::int32& index) override;

 private:
  vst3::ParamID id = 0;
  std::vector<Point> points;
};
