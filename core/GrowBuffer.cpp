#include "core/GrowBuffer.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int64_t kPage = 4096;
constexpr int64_t kMaxPagedHeadroom = 4 * 1024 * 1024;
}  // namespace

GrowBuffer::GrowBuffer(int granularity) : granularity(granularity > 0 ? granularity : 1) {}

GrowBuffer::~GrowBuffer() { std::free(data); }

int64_t GrowBuffer::GrownAllocation(int64_t newSize) const {
  int64_t headroom = newSize / 2;
  if (headroom < granularity) headroom = granularity;
  if (granularity >= kPage) {
    headroom = (headroom + kPage - 1) / kPage * kPage;
    if (headroom > kMaxPagedHeadroom) headroom = kMaxPagedHeadroom;
  }
  int64_t total = newSize + headroom;
  return total > INT_MAX ? newSize : total;
}

bool GrowBuffer::Reallocate(int64_t bytes) {
  void* moved = std::realloc(data, static_cast<size_t>(bytes));
  if (!moved) return false;
  data = moved;
  allocated = static_cast<int>(bytes);
  return true;
}

bool GrowBuffer::Resize(int newSize, bool allowShrink, bool zeroFill) {
  if (newSize < 0) return false;
  if (newSize == 0 && allowShrink) {
    std::free(data);
    data = nullptr;
    allocated = used = 0;
    return true;
  }
  const int oldUsed = used;
  if (newSize > allocated) {
    if (!Reallocate(GrownAllocation(newSize)) && !Reallocate(newSize)) return false;
  } else if (allowShrink && newSize < allocated / 2 &&
             static_cast<int64_t>(allocated) - newSize > 4 * static_cast<int64_t>(granularity)) {
    Reallocate(newSize);  // giving memory back may fail harmlessly; the old block stays valid
  }
  used = newSize;
  if (zeroFill && newSize > oldUsed)
    std::memset(static_cast<char*>(data) + oldUsed, 0, newSize - oldUsed);
  return true;
}

bool GrowBuffer::Append(const void* bytes, int count) {
  if (count < 0) return false;
  if (count == 0) return true;
  const int64_t start = used;
  if (start + count > INT_MAX) return false;
  if (!Resize(static_cast<int>(start + count), false)) return false;
  std::memcpy(static_cast<char*>(data) + start, bytes, count);
  return true;
}
