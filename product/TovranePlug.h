#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "engine/TovraneProcessor.h"
#include "product/TovraneProduct.h"

// The product and its processing on the plug-in base of one format's
// binding: the product keeps the parameters, programs and editor on the
// base, and every block hands the live settings to the processor. Each
// format's plug-in is this over its binding, so the two formats process
// alike by construction.
template <class Binding, class Maths>
class TovranePlug : public Binding {
 public:
  using Processing = TovraneProcessor<Maths>;

  // The binding's own arguments follow the identity it is given.
  template <class... BindingArgs>
  explicit TovranePlug(BindingArgs&&... args)
      : Binding(Identity(), std::forward<BindingArgs>(args)...) {
    product.Build();
  }

  void OnParamChanged(int index) override { product.OnParamChanged(index); }
  void OnStateRestored() override { product.OnStateRestored(); }

  void OnReset() override {
    std::lock_guard<std::recursive_mutex> guard(this->Lock());
    // The new delay lines are allocated here, on the host's thread, not by
    // the first block at the new rate.
    processor->Prepare(this->SampleRate());
    // A processor made ahead was prepared for the rate before.
    spareIsFresh.store(false, std::memory_order_release);
    UpdateLatency();
  }

  // A processor made afresh, with the same noise, takes the place of one
  // that has run: every filter, delay line, smoother, modulation and the
  // tube stage start as a new instance's. It is made and prepared on the
  // host's thread and handed over while no block runs; should the memory
  // not be had, the processing goes on as it was.
  void RestartProcessing() override {
    std::lock_guard<std::recursive_mutex> guard(this->Lock());
    if (atRest.load(std::memory_order_acquire)) return;
    std::unique_ptr<Processing> fresh = FreshProcessor();
    if (!fresh) return;
    {
      AudioGate::HostHold hold(this->Gate());
      processor.swap(fresh);
      atRest.store(true, std::memory_order_release);
    }
  }

  // A fresh processor made ahead on the host's thread, for a reset on the
  // audio thread; the processor it replaces is kept, to be freed when the
  // next one is made ahead, never on the audio thread.
  void PrepareRestart() override {
    std::lock_guard<std::recursive_mutex> guard(this->Lock());
    if (spareIsFresh.load(std::memory_order_acquire)) return;
    std::unique_ptr<Processing> fresh = FreshProcessor();
    if (!fresh) return;
    AudioGate::HostHold hold(this->Gate());
    spare.swap(fresh);
    spareIsFresh.store(true, std::memory_order_release);
  }

  // On the audio thread, between blocks.
  bool RestartFromPrepared() override {
    if (atRest.load(std::memory_order_acquire)) return false;
    if (!spareIsFresh.load(std::memory_order_acquire)) return false;
    processor.swap(spare);
    spareIsFresh.store(false, std::memory_order_release);
    atRest.store(true, std::memory_order_release);
    return true;
  }

  void SetActive(bool on) override {
    std::lock_guard<std::recursive_mutex> guard(this->Lock());
    if (on) UpdateLatency();
  }

  // On the audio thread, inside the audio gate: the settings come through
  // the product's mailbox, and nothing here takes the plug-in's lock.
  void ProcessBlock(double** inputs, double** outputs, int frames) override {
    const TovraneProduct::BlockSettings& settings = product.TakeBlockSettings();
    atRest.store(false, std::memory_order_relaxed);
    processor->Apply(settings.snapshot, settings.powerOff != 0);
    soundedOnItsOwn = settings.powerOff == 0 &&
                      (settings.snapshot.noiseAmp > 0.0 || settings.snapshot.scratch > 0.0);
    processor->Process(inputs, outputs, frames, this->SampleRate());
    product.BlockDone(settings);
  }

  bool SoundedOnItsOwn() const override { return soundedOnItsOwn; }

  TovraneProduct& Product() { return product; }
  const TovraneProduct& Product() const { return product; }
  const Processing& Processor() const { return *processor; }

 private:
  static PlugIdentity Identity() {
    PlugIdentity identity = TovraneProduct::Identity();
    identity.latency = Processing::kReferenceLatency;
    return identity;
  }

  // A processor as a new instance's, with the same noise as this one's,
  // prepared at the rate; null when the memory cannot be had.
  std::unique_ptr<Processing> FreshProcessor() {
    try {
      auto fresh = std::make_unique<Processing>(processor->DrawnFrom());
      fresh->Prepare(this->SampleRate());
      return fresh;
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }

  // Hosts read the latency when the rate is set or processing resumes,
  // often without looking again, so it is right before the first block.
  void UpdateLatency() {
    const int latency = Processing::LatencyAt(this->SampleRate());
    if (latency != this->Latency()) this->ChangeLatency(latency);
  }

  // The processor first: it draws the brown noise's loops from the random
  // generator before anything else of the plug-in is made.
  std::unique_ptr<Processing> processor = std::make_unique<Processing>();
  // No block has run since the processor was made.
  std::atomic<bool> atRest{true};
  // The hiss or the crackle sounded in the last block; the audio thread's.
  bool soundedOnItsOwn = true;
  // Made ahead for a reset on the audio thread, when the format asks.
  std::unique_ptr<Processing> spare;
  std::atomic<bool> spareIsFresh{false};
  TovraneProduct product{*this};
};
