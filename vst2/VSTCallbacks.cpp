#include "vst2/VSTCallbacks.h"

#include "vst2/IPlugVST.h"

using Guard = std::lock_guard<std::recursive_mutex>;

VstIntPtr VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                        float opt) {
  IPlugVST* plug = IPlugVST::FromEffect(effect);
  if (!plug) return 0;
  if (opcode == effClose) {
    // The lock and the gate live inside the object: wait for any call still
    // running, audio callbacks included, let both go, then destroy.
    {
      Guard guard(plug->Lock());
      AudioGate::HostHold hold(plug->Gate());
    }
    delete plug;
    return 0;
  }
  const VstIntPtr result = plug->Dispatch(opcode, index, value, ptr, opt);
  // Hosts may take their own locks or rebuild their display when told of a
  // change, so they are told by the thread that made it, outside the
  // plug-in's lock, and never by the audio thread.
  plug->SendPendingDisplayUpdate();
  return result;
}

void VSTProcess(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  if (IPlugVST* plug = IPlugVST::FromEffect(effect)) {
    plug->ProcessFloatAccumulating(inputs, outputs, frames);
  }
}

void VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  if (IPlugVST* plug = IPlugVST::FromEffect(effect)) {
    plug->ProcessFloatReplacing(inputs, outputs, frames);
  }
}

void VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, int32_t frames) {
  if (IPlugVST* plug = IPlugVST::FromEffect(effect)) {
    plug->ProcessDoubleReplacing(inputs, outputs, frames);
  }
}

void VSTSetParameter(AEffect* effect, int32_t index, float value) {
  IPlugVST* plug = IPlugVST::FromEffect(effect);
  if (!plug) return;
  plug->SetParameterFromHost(index, value);
}

float VSTGetParameter(AEffect* effect, int32_t index) {
  IPlugVST* plug = IPlugVST::FromEffect(effect);
  if (!plug) return 0.0f;
  Guard guard(plug->Lock());
  const PlugParam* param = plug->GetParam(index);
  return param ? static_cast<float>(param->ToNormalized()) : 0.0f;
}
