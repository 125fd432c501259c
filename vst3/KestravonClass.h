#pragma once
// What hosts know the plug-in's one VST 3 class by.
#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {

// The class identifier of the plug-in. Hosts store it in every session and
// preset that uses the plug-in, so it must never change, on any platform or
// in any version: a new value makes the plug-in a stranger to them.
inline constexpr vst3::Uid kProcessorClassId =
    vst3::makeUid(0x828B1788, 0x73F14BAC, 0xBB3E1A0B, 0x22DC54B8);

// The host's menus file the plug-in under these, "|" between categories.
inline constexpr const char* kSubCategories = "Fx|Distortion";

// The newest interface revision the declarations in Vst3Abi.h follow
// (IProcessContextRequirements came with 3.7.0).
inline constexpr const char* kInterfaceVersion = "VST 3.7.0";

}  // namespace kestravon_vst3
