#include "ComponentHandler.h"

using namespace vst3;

std::vector<ComponentHandler::Call> ComponentHandler::Calls() const {
  std::lock_guard<std::mutex> hold(lock);
  return calls;
}

void ComponentHandler::Forget() {
  std::lock_guard<std::mutex> hold(lock);
  calls.clear();
}

void ComponentHandler::Record(const Call& call) {
  std::lock_guard<std::mutex> hold(lock);
  calls.push_back(call);
}

tresult ComponentHandler::queryInterface(const TUID requested, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (uidEquals(requested, FUnknown::iid) || uidEquals(requested, IComponentHandler::iid)) {
    addRef();
    *obj = static_cast<IComponentHandler*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

uint32 ComponentHandler::addRef() {
  std::lock_guard<std::mutex> hold(lock);
  return ++references;
}

uint32 ComponentHandler::release() {
  std::lock_guard<std::mutex> hold(lock);
  return --references;
}

uint32 ComponentHandler::References() const {
  std::lock_guard<std::mutex> hold(lock);
  return references;
}

tresult ComponentHandler::beginEdit(ParamID id) {
  Record({Kind::Begin, id, 0.0, 0});
  return kResultOk;
}

tresult ComponentHandler::performEdit(ParamID id, ParamValue valueNormalized) {
  Record({Kind::Perform, id, valueNormalized, 0});
  return kResultOk;
}

tresult ComponentHandler::endEdit(ParamID id) {
  Record({Kind::End, id, 0.0, 0});
  return kResultOk;
}

tresult ComponentHandler::restartComponent(int32 flags) {
  Record({Kind::Restart, 0, 0.0, flags});
  return kResultOk;
}
