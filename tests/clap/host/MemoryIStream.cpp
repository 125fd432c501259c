#include "MemoryIStream.h"

#include <algorithm>
#include <cstring>

MemoryIStream::MemoryIStream(std::vector<uint8_t> bytes, uint64_t maxBytesPerCall)
    : bytes(std::move(bytes)), maxBytesPerCall(maxBytesPerCall) {
  stream.ctx = this;
  stream.read = [](const clap::clap_istream* s, void* buffer, uint64_t size) {
    return static_cast<MemoryIStream*>(s->ctx)->Read(buffer, size);
  };
}

int64_t MemoryIStream::Read(void* buffer, uint64_t size) {
  if (buffer == nullptr && size > 0) return -1;
  largestAsk = std::max(largestAsk, size);
  uint64_t n = std::min<uint64_t>(size, bytes.size() - position);
  if (maxBytesPerCall > 0) n = std::min(n, maxBytesPerCall);
  if (n > 0) std::memcpy(buffer, bytes.data() + position, n);
  position += n;
  return static_cast<int64_t>(n);
}
