// The plug-in binary's one export: the descriptor LV2 hosts look up.
#include <string_view>

#include "lv2/TovraneLv2.h"

namespace {

TovraneLv2* Plug(LV2_Handle instance) { return static_cast<TovraneLv2*>(instance); }

LV2_Handle Instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
  // Nothing may be thrown across the host's C interface: a plug-in that
  // cannot be made is reported as none.
  try {
    return new TovraneLv2(sampleRate, features);
  } catch (...) {
    return nullptr;
  }
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data) {
  Plug(instance)->ConnectPort(port, data);
}

void Activate(LV2_Handle instance) { Plug(instance)->Activate(); }

void Run(LV2_Handle instance, uint32_t frames) { Plug(instance)->Run(frames); }

void Deactivate(LV2_Handle instance) { Plug(instance)->Deactivate(); }

void Cleanup(LV2_Handle instance) { delete Plug(instance); }

LV2_State_Status Save(LV2_Handle instance, LV2_State_Store_Function store,
                      LV2_State_Handle handle, uint32_t, const LV2_Feature* const*) {
  return Plug(instance)->SaveState(store, handle);
}

LV2_State_Status Restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle handle, uint32_t, const LV2_Feature* const*) {
  return Plug(instance)->RestoreState(retrieve, handle);
}

const LV2_State_Interface kStateInterface = {Save, Restore};

const void* ExtensionData(const char* uri) {
  if (std::string_view(uri ? uri : "") == LV2_STATE__interface) return &kStateInterface;
  return nullptr;
}

const LV2_Descriptor kDescriptor = {TovraneLv2::kUri, Instantiate, ConnectPort, Activate, Run,
                                    Deactivate,       Cleanup,     ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
