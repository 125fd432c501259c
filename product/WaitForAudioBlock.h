#pragma once

#include <mutex>

#include "core/IPlugBase.h"

// Takes the plug-in's lock and lets it go at once: returns when an audio
// block being processed has finished.
inline void WaitForAudioBlock(IPlugBase* plug) {
  std::lock_guard<std::recursive_mutex> wait(plug->Lock());
}
