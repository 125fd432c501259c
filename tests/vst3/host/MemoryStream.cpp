#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

tresult MemoryStream::queryInterface(const TUID requested, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (uidEquals(requested, FUnknown::iid) || uidEquals(requested, IBStream::iid)) {
    addRef();
    *obj = static_cast<IBStream*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

int32 MemoryStream::Portion(int64 wanted) const {
  if (maxBytesPerCall > 0) wanted = std::min<int64>(wanted, maxBytesPerCall);
  return static_cast<int32>(wanted);
}

tresult MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  if (numBytesRead) *numBytesRead = 0;
  if (numBytes < 0 || (numBytes > 0 && buffer == nullptr)) return kInvalidArgument;
  const int64 available = std::max<int64>(0, static_cast<int64>(bytes.size()) - position);
  const int32 n = Portion(std::min<int64>(numBytes, available));
  if (n > 0) std::memcpy(buffer, bytes.data() + position, static_cast<size_t>(n));
  position += n;
  if (numBytesRead) *numBytesRead = n;
  return kResultOk;
}

tresult MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (numBytesWritten) *numBytesWritten = 0;
  if (numBytes < 0 || (numBytes > 0 && buffer == nullptr)) return kInvalidArgument;
  const int32 n = Portion(numBytes);
  if (static_cast<int64>(bytes.size()) < position + n) bytes.resize(static_cast<size_t>(position + n));
  if (n > 0) std::memcpy(bytes.data() + position, buffer, static_cast<size_t>(n));
  position += n;
  if (numBytesWritten) *numBytesWritten = n;
  return kResultOk;
}

tresult MemoryStream::seek(int64 pos, int32 mode, int64* result) {
  int64 base = 0;
  switch (mode) {
    case kIBSeekSet:
      break;
    case kIBSeekCur:
      base = position;
      break;
    case kIBSeekEnd:
      base = static_cast<int64>(bytes.size());
      break;
    default:
      return kInvalidArgument;
  }
  if (base + pos < 0) return kInvalidArgument;
  position = base + pos;
  if (result) *result = position;
  return kResultOk;
}

tresult MemoryStream::tell(int64* pos) {
  if (pos == nullptr) return kInvalidArgument;
  *pos = position;
  return kResultOk;
}
