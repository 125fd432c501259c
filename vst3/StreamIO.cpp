#include "vst3/StreamIO.h"

#include <array>

namespace kestravon_vst3 {

bool ReadToEnd(vst3::IBStream& stream, StateChunk* into) {
  std::array<uint8_t, 4096> piece{};
  for (;;) {
    vst3::int32 got = 0;
    const vst3::tresult result =
        stream.read(piece.data(), static_cast<vst3::int32>(piece.size()), &got);
    // A stream at its end answers with nothing read, whatever its result.
    if (got <= 0) return result == vst3::kResultOk || result == vst3::kResultFalse;
    if (got > static_cast<vst3::int32>(piece.size())) return false;
    if (into->Size() + static_cast<int64_t>(got) > kMaxStateBytes) return false;
    if (!into->PutBytes(piece.data(), got)) return false;
  }
}

bool WriteAll(vst3::IBStream& stream, const uint8_t* bytes, int count) {
  int done = 0;
  while (done < count) {
    vst3::int32 written = 0;
    const vst3::tresult result =
        stream.write(const_cast<uint8_t*>(bytes + done), count - done, &written);
    if (result != vst3::kResultOk || written <= 0 || written > count - done) return false;
    done += written;
  }
  return true;
}

}  // namespace kestravon_vst3
