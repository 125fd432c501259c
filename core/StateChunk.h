#pragma once
#include <cstdint>

#include "core/GrowBuffer.h"

// The serialisation stream of programs and banks: little-endian values
// appended at the end and read from a byte position. A read of n bytes at
// position p succeeds only when p >= 0 and p + n <= Size(); it then returns
// the next position, otherwise -1 and yields nothing. Positions are checked
// in 64-bit arithmetic, so no byte sequence can make a read leave the chunk.
class StateChunk {
 public:
  explicit StateChunk(int granularity = GrowBuffer::kDefaultGranularity) : buffer(granularity) {}

  bool PutInt32(int32_t value);
  bool PutDouble(double value);
  bool PutByte(uint8_t value);
  bool PutBytes(const void* bytes, int count);

  int GetInt32(int32_t* value, int pos) const;
  int GetDouble(double* value, int pos) const;
  int GetByte(uint8_t* value, int pos) const;
  int GetBytes(void* bytes, int count, int pos) const;

  // True when count bytes are available at pos.
  bool HasBytes(int64_t pos, int64_t count) const;

  void Clear() { buffer.Resize(0, false); }
  bool Resize(int size) { return buffer.Resize(size, false); }
  int Size() const { return buffer.Size(); }
  uint8_t* Data() { return static_cast<uint8_t*>(buffer.Data()); }
  const uint8_t* Data() const { return static_cast<const uint8_t*>(buffer.Data()); }

 private:
  GrowBuffer buffer;
};
