#pragma once
// A host's output stream over memory, as hosts hand one to clap.state's
// save. A limit on the bytes a call takes stands for the hosts and file
// streams that write in pieces: a plug-in must write until all is taken.
#include <cstdint>
#include <vector>

#include "clap/ClapAbi.h"

class MemoryOStream {
 public:
  // maxBytesPerCall 0: as many as given.
  explicit MemoryOStream(uint64_t maxBytesPerCall = 0);
  MemoryOStream(const MemoryOStream&) = delete;
  MemoryOStream& operator=(const MemoryOStream&) = delete;

  const clap::clap_ostream* Stream() const { return &stream; }
  const std::vector<uint8_t>& Bytes() const { return bytes; }

 private:
  int64_t Write(const void* buffer, uint64_t size);

  std::vector<uint8_t> bytes;
  uint64_t maxBytesPerCall;
  clap::clap_ostream stream;
};
