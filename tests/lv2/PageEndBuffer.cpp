#include "PageEndBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

PageEndBuffer::PageEndBuffer() : pageSize(static_cast<size_t>(sysconf(_SC_PAGESIZE))) {
  void* mapped = mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                      -1, 0);
  if (mapped == MAP_FAILED) throw std::runtime_error("no pages for the buffer");
  pages = static_cast<uint8_t*>(mapped);
  if (mprotect(pages + pageSize, pageSize, PROT_NONE) != 0) {
    munmap(pages, 2 * pageSize);
    throw std::runtime_error("the guard page cannot be protected");
  }
}

PageEndBuffer::~PageEndBuffer() { munmap(pages, 2 * pageSize); }

void* PageEndBuffer::Place(const std::vector<uint8_t>& bytes) {
  if (bytes.size() > pageSize) throw std::length_error("more than a page");
  uint8_t* start = pages + pageSize - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  return start;
}
