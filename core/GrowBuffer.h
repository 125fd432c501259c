#pragma once
#include <cstdint>

// A growable byte buffer: the container behind the plug-in's lists and state
// chunks. Growth leaves headroom so that repeated appends rarely reallocate,
// and a failed growth leaves the buffer exactly as it was.
class GrowBuffer {
 public:
  static constexpr int kDefaultGranularity = 4096;

  explicit GrowBuffer(int granularity = kDefaultGranularity);
  ~GrowBuffer();
  GrowBuffer(const GrowBuffer&) = delete;
  GrowBuffer& operator=(const GrowBuffer&) = delete;

  // Sets the used size. False when the size is negative or the memory could
  // not be had; the buffer is then unchanged.
  // With allowShrink the allocation may be given back; with zeroFill the
  // bytes added by growing are set to 0.
  bool Resize(int newSize, bool allowShrink = true, bool zeroFill = false);

  // Appends count bytes; false (and no change) when they cannot be stored.
  bool Append(const void* bytes, int count);

  void* Data() { return data; }
  const void* Data() const { return data; }
  int Size() const { return used; }
  int Allocated() const { return allocated; }
  int Granularity() const { return granularity; }

 private:
  bool Reallocate(int64_t bytes);
  int64_t GrownAllocation(int64_t newSize) const;

  void* data = nullptr;
  int allocated = 0;
  int used = 0;
  int granularity;
};
