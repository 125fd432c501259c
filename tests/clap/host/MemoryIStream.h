#pragma once
// A host's input stream over memory, as hosts hand one to clap.state's load.
// A limit on the bytes a call gives stands for the hosts and file streams
// that read in pieces: a plug-in must read until the stream says it ended.
#include <cstdint>
#include <vector>

#include "clap/ClapAbi.h"

class MemoryIStream {
 public:
  // maxBytesPerCall 0: as many as asked.
  explicit MemoryIStream(std::vector<uint8_t> bytes, uint64_t maxBytesPerCall = 0);
  MemoryIStream(const MemoryIStream&) = delete;
  MemoryIStream& operator=(const MemoryIStream&) = delete;

  const clap::clap_istream* Stream() const { return &stream; }
  uint64_t Position() const { return position; }
  // The largest number of bytes the plug-in asked for in one call.
  uint64_t LargestAsk() const { return largestAsk; }

 private:
  int64_t Read(void* buffer, uint64_t size);

  std::vector<uint8_t> bytes;
  uint64_t maxBytesPerCall;
  uint64_t position = 0;
  uint64_t largestAsk = 0;
  clap::clap_istream stream;
};
