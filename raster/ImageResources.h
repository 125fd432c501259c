#pragma once

#include <cstddef>

// One editor image compiled into the library.
struct EmbeddedResource {
  int id;
  const unsigned char* begin;
  const unsigned char* end;

  const unsigned char* Bytes() const { return begin; }
  std::size_t Size() const { return static_cast<std::size_t>(end - begin); }
};

// The image resource with this id, or null when the library carries none.
const EmbeddedResource* FindImageResource(int id);
