#include "ParamValueQueue.h"

#include <algorithm>

using namespace vst3;

tresult ParamValueQueue::queryInterface(const TUID requested, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (uidEquals(requested, FUnknown::iid) || uidEquals(requested, IParamValueQueue::iid)) {
    *obj = static_cast<IParamValueQueue*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

tresult ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kInvalidArgument;
  sampleOffset = points[index].offset;
  value = points[index].value;
  return kResultOk;
}

tresult ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  auto at = std::lower_bound(points.begin(), points.end(), sampleOffset,
                             [](const Point& p, int32 offset) { return p.offset < offset; });
  if (at != points.end() && at->offset == sampleOffset) {
    at->value = value;
  } else {
    if (points.size() == points.capacity()) return kOutOfMemory;
    at = points.insert(at, Point{sampleOffset, value});
  }
  index = static_cast<int32>(at - points.begin());
  return kResultOk;
}
