#pragma once
// Checks of a binary interface's records against the sizes and offsets a
// host compiled elsewhere expects: a table of fields, each with the offset
// the compiler gave it and the one the interface documents.
#include <gtest/gtest.h>

#include <cstddef>

struct Field {
  const char* name;
  size_t offset;
  size_t expected;
};

struct RecordSize {
  const char* name;
  size_t size;
  size_t expected;
};

#define FIELD(record, member, at) Field{#record "::" #member, offsetof(record, member), at}
#define RECORD_SIZE(record, bytes) RecordSize{#record, sizeof(record), bytes}

template <size_t N>
void expectOffsets(const Field (&fields)[N]) {
  for (const Field& field : fields) {
    EXPECT_EQ(field.offset, field.expected) << field.name << " is at the wrong offset";
  }
}

template <size_t N>
void expectSizes(const RecordSize (&sizes)[N]) {
  for (const RecordSize& size : sizes) {
    EXPECT_EQ(size.size, size.expected) << size.name << " has the wrong size";
  }
}
