#pragma once
#include <vector>

#include "core/IPlugBase.h"

// A small product on the plug-in base that records what the base asks of it.
class TestPlug : public IPlugBase {
 public:
  static PlugIdentity MakeIdentity(int nParams, const char* channelIO, int nPresets) {
    PlugIdentity identity;
    identity.nParams = nParams;
    identity.channelIO = channelIO;
    identity.nPresets = nPresets;
    identity.effectName = "Test";
    identity.vendorName = "Maker";
    identity.version = 0x10000;
    identity.latency = 100;
    return identity;
  }

  explicit TestPlug(int nParams = 4, const char* channelIO = "1-1 2-2", int nPresets = 4)
      : IPlugBase(MakeIdentity(nParams, channelIO, nPresets)) {
    for (int i = 0; i < nParams; ++i) GetParam(i)->InitNumeric("p", 0, 0, 100, 0.01, "%");
  }

  void OnParamChanged(int index) override { changed.push_back(index); }
  void OnStateRestored() override { ++restored; }
  void ProcessBlock(double** in, double** out, int frames) override {
    blocks.push_back(frames);
    if (scale == 0.0) {
      IPlugBase::ProcessBlock(in, out, frames);
      return;
    }
    for (int c = 0; c < NOutputs(); ++c) {
      for (int s = 0; s < frames; ++s) out[c][s] = in[c][s] * scale + offset;
    }
  }

  std::vector<int> changed;
  std::vector<int> blocks;
  int restored = 0;
  double scale = 0.0;  // 0: the base's own pass-through
  double offset = 0.0;
};
