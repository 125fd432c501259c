#pragma once

#include "core/IPlugBase.h"

// Returns when an audio block being processed has finished; the audio
// thread is never held up by it.
inline void WaitForAudioBlock(IPlugBase* plug) { plug->Gate().WaitWhileAudioInside(); }
