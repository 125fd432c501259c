#pragma once
// Moving a state's bytes through a host's stream, which may take or give
// fewer bytes than asked for on each call.
#include <cstdint>

#include "core/StateChunk.h"
#include "vst3/Vst3Abi.h"

namespace kestravon_vst3 {

// No state of this plug-in comes near this; a stream that goes on longer is
// not one of ours and is not read to its end.
inline constexpr int64_t kMaxStateBytes = 16 * 1024 * 1024;

// Appends everything the stream holds from its position to its end. False
// when the stream fails, or holds more than kMaxStateBytes.
bool ReadToEnd(vst3::IBStream& stream, StateChunk* into);

// Writes all the bytes, or reports that the stream did not take them.
bool WriteAll(vst3::IBStream& stream, const uint8_t* bytes, int count);

}  // namespace kestravon_vst3
