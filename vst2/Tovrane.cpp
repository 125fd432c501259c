#include "vst2/Tovrane.h"

namespace {

PlugIdentity Identity() {
  PlugIdentity identity = TovraneProduct::Identity();
  identity.latency = Tovrane::Processing::kReferenceLatency;
  return identity;
}

}  // namespace

Tovrane::Tovrane(audioMasterCallback hostCallback) : IPlugVST(Identity(), hostCallback) {
  product.Build();
}

void Tovrane::OnParamChanged(int index) { product.OnParamChanged(index); }

void Tovrane::OnStateRestored() { product.OnStateRestored(); }

void Tovrane::OnReset() {
  std::lock_guard<std::recursive_mutex> guard(Lock());
  // The new delay lines are allocated here, on the host's thread, not by
  // the first block at the new rate.
  processor.Prepare(SampleRate());
  UpdateLatency(SampleRate());
}

void Tovrane::SetActive(bool on) {
  std::lock_guard<std::recursive_mutex> guard(Lock());
  if (on) UpdateLatency(SampleRate());
}

// On the audio thread, inside the audio gate: the settings come through the
// product's mailbox, and nothing here takes the plug-in's lock. The latency
// follows the rate where the host sets it.
void Tovrane::ProcessBlock(double** inputs, double** outputs, int frames) {
  const TovraneProduct::BlockSettings& settings = product.TakeBlockSettings();
  processor.Apply(settings.snapshot, settings.powerOff != 0);
  processor.Process(inputs, outputs, frames, SampleRate());
  product.BlockDone(settings);
}

// Hosts read the latency when the rate is set or processing resumes, often
// without looking again, so it is right before the first block.
void Tovrane::UpdateLatency(double fs) {
  const int latency = Processing::LatencyAt(fs);
  if (latency != Latency()) ChangeLatency(latency);
}
