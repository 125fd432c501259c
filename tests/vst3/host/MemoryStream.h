#pragma once
// A host's stream over memory, as hosts hand one to getState and setState. A
// limit on the bytes moved per call stands for the hosts (and file streams)
// that read and write in pieces: a plug-in must loop until it has all it asked
// for.
#include <cstdint>
#include <vector>

#include "vst3/Vst3Abi.h"

class MemoryStream : public vst3::IBStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}

  // At most this many bytes per read or write; 0 for no limit.
  void SetMaxBytesPerCall(vst3::int32 limit) { maxBytesPerCall = limit; }
  const std::vector<uint8_t>& Bytes() const { return bytes; }
  vst3::int64 Position() const { return position; }
  void Rewind() { position = 0; }

  vst3::tresult KESTRAVON_VST3_CALL queryInterface(const vst3::TUID requested, void** obj) override;
  vst3::uint32 KESTRAVON_VST3_CALL addRef() override { return ++references; }
  vst3::uint32 KESTRAVON_VST3_CALL release() override { return --references; }
  vst3::tresult KESTRAVON_VST3_CALL read(void* buffer, vst3::int32 numBytes,
                                         vst3::int32* numBytesRead) override;
  vst3::tresult KESTRAVON_VST3_CALL write(void* buffer, vst3::int32 numBytes,
                                          vst3::int32* numBytesWritten) override;
  vst3::tresult KESTRAVON_VST3_CALL seek(vst3::int64 pos, vst3::int32 mode,
                                         vst3::int64* result) override;
  vst3::tresult KESTRAVON_VST3_CALL tell(vst3::int64* pos) override;

 private:
  // The bytes one call may move when `wanted` are asked for.
  vst3::int32 Portion(vst3::int64 wanted) const;

  std::vector<uint8_t> bytes;
  vst3::int64 position = 0;
  vst3::int32 maxBytesPerCall = 0;
  // The test owns the stream; the count only tells whether a plug-in kept a reference.
  vst3::uint32 references = 1;
};
