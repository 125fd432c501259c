#pragma once
#include "engine/TovraneProcessor.h"
#include "product/TovraneProduct.h"
#include "vst2/IPlugVST.h"

// The maths the plug-in module's processing runs on: the build makes one
// module of each, the product's and the literal yardstick.
#ifndef KESTRAVON_LITERAL_MATHS
#error "KESTRAVON_LITERAL_MATHS must be set to 0 or 1 by the build"
#endif
#if KESTRAVON_LITERAL_MATHS
using TovraneMaths = LiteralMaths;
#else
using TovraneMaths = ProductMaths;
#endif

// The product as a VST 2 plug-in: the product layer keeps its parameters,
// programs and editor on this plug-in base, and every block hands the live
// settings to the processor.
class Tovrane : public IPlugVST {
 public:
  explicit Tovrane(audioMasterCallback hostCallback = nullptr);

  void OnParamChanged(int index) override;
  void OnStateRestored() override;
  void OnReset() override;
  void SetActive(bool on) override;
  void ProcessBlock(double** inputs, double** outputs, int frames) override;

  TovraneProduct& Product() { return product; }
  const TovraneProduct& Product() const { return product; }
  using Processing = TovraneProcessor<TovraneMaths>;
  const Processing& Processor() const { return processor; }

 private:
  void UpdateLatency(double fs);

  // The processor first: it draws the brown noise's loops from the random
  // generator before anything else of the plug-in is made.
  Processing processor;
  TovraneProduct product{*this};
};
