#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Room for bytes that end exactly where a page no one may read begins, as a
// host's buffer may: any read past them crashes the test at once, where
// plain heap memory would let a short over-read pass unseen.
class PageEndBuffer {
 public:
  PageEndBuffer();
  ~PageEndBuffer();
  PageEndBuffer(const PageEndBuffer&) = delete;
  PageEndBuffer& operator=(const PageEndBuffer&) = delete;

  // Copies the bytes (at most a page, a multiple of 8 keeps them aligned
  // as atoms are) to end at the unreadable page; returns where they start.
  void* Place(const std::vector<uint8_t>& bytes);

 private:
  uint8_t* pages = nullptr;
  size_t pageSize = 0;
};
