#include "MemoryOStream.h"

#include <algorithm>

MemoryOStream::MemoryOStream(uint64_t maxBytesPerCall) : maxBytesPerCall(maxBytesPerCall) {
  stream.ctx = this;
  stream.write = [](const clap::clap_ostream* s, const void* buffer, uint64_t size) {
    return static_cast<MemoryOStream*>(s->ctx)->Write(buffer, size);
  };
}

int64_t MemoryOStream::Write(const void* buffer, uint64_t size) {
  if (buffer == nullptr && size > 0) return -1;
  const uint64_t n = maxBytesPerCall > 0 ? std::min(size, maxBytesPerCall) : size;
  const auto* from = static_cast<const uint8_t*>(buffer);
  bytes.insert(bytes.end(), from, from + n);
  return static_cast<int64_t>(n);
}
