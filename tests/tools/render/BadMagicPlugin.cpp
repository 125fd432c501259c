// A library whose entry point returns a record that is not a VST effect.
#include "vst2/VstAbi.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
  static AEffect record{};
  return &record;
}
