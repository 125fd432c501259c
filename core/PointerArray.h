#pragma once
#include "core/GrowBuffer.h"

// A list of object pointers kept in a GrowBuffer. An index outside the list
// yields no object, so callers never reach past its end.
template <class T>
class PointerArray {
 public:
  int Count() const { return storage.Size() / static_cast<int>(sizeof(T*)); }

  T* Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return static_cast<T* const*>(storage.Data())[index];
  }

  // Adds the pointer; false when it could not be stored.
  bool Add(T* item) { return storage.Append(&item, static_cast<int>(sizeof(T*))); }

  // Deletes every object the list points to and empties it.
  void DeleteAll() {
    for (int i = Count() - 1; i >= 0; --i) delete Get(i);
    storage.Resize(0);
  }

 private:
  GrowBuffer storage;
};
