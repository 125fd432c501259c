#include "ParameterChanges.h"

using namespace vst3;

ParameterChanges::ParameterChanges(int queueCapacity) : queues(queueCapacity) {}

void ParameterChanges::Add(ParamID id, int32 sampleOffset, ParamValue value) {
  int32 index = 0;
  IParamValueQueue* queue = addParameterData(id, index);
  if (queue) queue->addPoint(sampleOffset, value, index);
}

tresult ParameterChanges::queryInterface(const TUID requested, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (uidEquals(requested, FUnknown::iid) || uidEquals(requested, IParameterChanges::iid)) {
    *obj = static_cast<IParameterChanges*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

IParamValueQueue* ParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= used) return nullptr;
  return &queues[index];
}

IParamValueQueue* ParameterChanges::addParameterData(const ParamID& id, int32& index) {
  for (int32 i = 0; i < used; ++i) {
    if (queues[i].getParameterId() == id) {
      index = i;
      return &queues[i];
    }
  }
  if (used == static_cast<int32>(queues.size())) return nullptr;
  index = used++;
  queues[index].Reset(id);
  return &queues[index];
}
