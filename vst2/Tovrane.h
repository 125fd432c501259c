#pragma once
#include "product/TovranePlug.h"
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

// The product as a VST 2 plug-in.
class Tovrane : public TovranePlug<IPlugVST, TovraneMaths> {
 public:
  explicit Tovrane(audioMasterCallback hostCallback = nullptr) : TovranePlug(hostCallback) {}
};
