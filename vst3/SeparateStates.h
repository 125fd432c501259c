#pragma once
// The component and the edit controller each declare setState and getState
// with the same signature, for two different states: the processing's (the
// settings a session reopens with) and the controller's own (nothing, for
// this plug-in). One object that is both would otherwise answer both with
// one method; these adapters give each its own name.
#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {

class ComponentWithState : public vst3::IComponent {
 public:
  vst3::tresult KESTRAVON_VST3_CALL setState(vst3::IBStream* state) final {
    return SetComponentStateFrom(state);
  }
  vst3::tresult KESTRAVON_VST3_CALL getState(vst3::IBStream* state) final {
    return WriteComponentStateTo(state);
  }

 protected:
  virtual vst3::tresult SetComponentStateFrom(vst3::IBStream* state) = 0;
  virtual vst3::tresult WriteComponentStateTo(vst3::IBStream* state) = 0;
};

class EditControllerWithState : public vst3::IEditController {
 public:
  vst3::tresult KESTRAVON_VST3_CALL setState(vst3::IBStream* state) final {
    return SetControllerStateFrom(state);
  }
  vst3::tresult KESTRAVON_VST3_CALL getState(vst3::IBStream* state) final {
    return WriteControllerStateTo(state);
  }

 protected:
  virtual vst3::tresult SetControllerStateFrom(vst3::IBStream* state) = 0;
  virtual vst3::tresult WriteControllerStateTo(vst3::IBStream* state) = 0;
};

}  // namespace kestravon_vst3
