// Feeds arbitrary bytes to the VST 3 plug-in as the state a host restores,
// through a stream that hands them over a few bytes at a time as some hosts'
// streams do. A state that is refused must leave every setting as it was; a
// state that is taken must be saved and taken again with the same settings
// played, and the audio made from it must be finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vst3/TovraneVst3.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A host's stream over bytes in memory, read in pieces of at most `piece`.
class PieceStream final : public vst3::IBStream {
 public:
  PieceStream(std::vector<uint8_t> bytes, int piece) : bytes(std::move(bytes)), piece(piece) {}

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID, void** obj) override {
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return 1; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return 1; }
  vst3::tresult KESTRAVON_VST3_CALL read(void* buffer, vst3::int32 numBytes,
                                         vst3::int32* numBytesRead) override {
    const size_t n = std::min({static_cast<size_t>(std::max(numBytes, 0)), bytes.size() - at,
                               static_cast<size_t>(piece)});
    if (n > 0) std::memcpy(buffer, bytes.data() + at, n);
    at += n;
    if (numBytesRead != nullptr) *numBytesRead = static_cast<vst3::int32>(n);
    return vst3::kResultOk;
  }
  vst3::tresult KESTRAVON_VST3_CALL write(void* buffer, vst3::int32 numBytes,
                                          vst3::int32* numBytesWritten) override {
    const size_t n = std::min(static_cast<size_t>(std::max(numBytes, 0)), static_cast<size_t>(piece));
    const auto* from = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), from, from + n);
    if (numBytesWritten != nullptr) *numBytesWritten = static_cast<vst3::int32>(n);
    return vst3::kResultOk;
  }
  vst3::tresult KESTRAVON_VST3_CALL seek(vst3::int64, vst3::int32, vst3::int64*) override {
    return vst3::kNotImplemented;
  }
  vst3::tresult KESTRAVON_VST3_CALL tell(vst3::int64* pos) override {
    if (pos != nullptr) *pos = static_cast<vst3::int64>(at);
    return vst3::kResultOk;
  }

  const std::vector<uint8_t>& Bytes() const { return bytes; }

 private:
  std::vector<uint8_t> bytes;
  int piece;
  size_t at = 0;
};

std::vector<uint8_t> SavedState(TovraneVst3& plug) {
  PieceStream stream({}, 1000);
  Require(static_cast<vst3::IComponent&>(plug).getState(&stream) == vst3::kResultOk);
  return stream.Bytes();
}

// What the host sees and the processing plays: the named settings.
std::vector<double> PlayedSettings(TovraneVst3& plug) {
  std::vector<double> values;
  for (int index : kHostParameters) {
    values.push_back(plug.getParamNormalized(static_cast<vst3::ParamID>(index)));
  }
  return values;
}

void RequireFiniteAudio(TovraneVst3& plug) {
  constexpr int kFrames = 64;
  float left[kFrames] = {};
  float right[kFrames] = {};
  float* channels[2] = {left, right};
  vst3::AudioBusBuffers in{2, 0, {}};
  in.channelBuffers32 = channels;
  vst3::AudioBusBuffers out{2, 0, {}};
  out.channelBuffers32 = channels;
  vst3::ProcessData data{vst3::kRealtime, vst3::kSample32, kFrames, 1, 1, &in, &out,
                         nullptr, nullptr, nullptr, nullptr, nullptr};
  Require(plug.process(data) == vst3::kResultOk);
  for (int s = 0; s < kFrames; ++s) Require(std::isfinite(left[s]) && std::isfinite(right[s]));
}

TovraneVst3& Plug() {
  static TovraneVst3* plug = [] {
    auto* made = new TovraneVst3();
    vst3::ProcessSetup setup{vst3::kRealtime, vst3::kSample32, 256, 44100.0};
    Require(made->setupProcessing(setup) == vst3::kResultOk);
    Require(made->setActive(1) == vst3::kResultOk);
    return made;
  }();
  return *plug;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TovraneVst3& plug = Plug();
  auto& component = static_cast<vst3::IComponent&>(plug);
  const std::vector<uint8_t> before = SavedState(plug);
  // The first byte chooses how many bytes each read hands over.
  PieceStream stream(std::vector<uint8_t>(data + 1, data + size), 1 + data[0] % 64);
  if (component.setState(&stream) != vst3::kResultOk) {
    Require(SavedState(plug) == before);
    return 0;
  }
  const std::vector<uint8_t> taken = SavedState(plug);
  const std::vector<double> played = PlayedSettings(plug);
  PieceStream again(taken, 7);
  Require(component.setState(&again) == vst3::kResultOk);
  Require(PlayedSettings(plug) == played);
  RequireFiniteAudio(plug);
  return 0;
}
