#pragma once
#include "vst2/VstAbi.h"

// The five functions a host calls through the effect record besides the
// dispatcher, and the dispatcher itself.
VstIntPtr VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                        float opt);
void VSTProcess(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames);
void VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, int32_t frames);
void VSTSetParameter(AEffect* effect, int32_t index, float value);
float VSTGetParameter(AEffect* effect, int32_t index);
