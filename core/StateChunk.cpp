#include "core/StateChunk.h"

#include <cstring>

namespace {

void StoreLittleEndian(uint64_t value, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t LoadLittleEndian(const uint8_t* in, int count) {
  uint64_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<uint64_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

bool StateChunk::PutInt32(int32_t value) {
  uint8_t bytes[4];
  StoreLittleEndian(static_cast<uint32_t>(value), 4, bytes);
  return PutBytes(bytes, 4);
}

bool StateChunk::PutDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  uint8_t bytes[8];
  StoreLittleEndian(bits, 8, bytes);
  return PutBytes(bytes, 8);
}

bool StateChunk::PutByte(uint8_t value) { return PutBytes(&value, 1); }

bool StateChunk::PutBytes(const void* bytes, int count) { return buffer.Append(bytes, count); }

bool StateChunk::HasBytes(int64_t pos, int64_t count) const {
  return pos >= 0 && count >= 0 && pos + count <= Size();
}

int StateChunk::GetBytes(void* bytes, int count, int pos) const {
  if (!HasBytes(pos, count)) return -1;
  if (count > 0) std::memcpy(bytes, Data() + pos, count);
  return pos + count;
}

int StateChunk::GetInt32(int32_t* value, int pos) const {
  if (!HasBytes(pos, 4)) return -1;
  *value = static_cast<int32_t>(static_cast<uint32_t>(LoadLittleEndian(Data() + pos, 4)));
  return pos + 4;
}

int StateChunk::GetDouble(double* value, int pos) const {
  if (!HasBytes(pos, 8)) return -1;
  const uint64_t bits = LoadLittleEndian(Data() + pos, 8);
  std::memcpy(value, &bits, 8);
  return pos + 8;
}

int StateChunk::GetByte(uint8_t* value, int pos) const {
  if (!HasBytes(pos, 1)) return -1;
  *value = Data()[pos];
  return pos + 1;
}
