// The checked walks over atoms, at the edges where a claimed size and the
// bytes held part: a part ending exactly at its container's end, one byte
// short, a header cut off, and the sizes whose 32-bit step wraps.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "AtomBytes.h"
#include "ReturnsWithin.h"
#include "lv2/AtomWalk.h"

namespace {

using atom_walk::FindProperty;
using atom_walk::FitsIn;
using atom_walk::SequenceEvents;

// Types and keys as a map might give them; the walks look at sizes alone.
constexpr uint32_t kObject = 1, kInt = 2, kString = 3, kSequence = 4;
constexpr uint32_t kKeyA = 10, kKeyB = 11, kKeyC = 12, kMissing = 13;
constexpr auto kLimit = std::chrono::seconds(5);
// 16 + size, padded, is 0 in 32 bits for the first two; the last two wrap
// the padding alone.
const uint32_t kWrappingSizes[] = {0xFFFFFFE9u, 0xFFFFFFF0u, 0xFFFFFFF8u, 0xFFFFFFFFu};

// An atom claiming `claimed` bytes of body, `held` of them there.
std::vector<uint8_t> Atom(uint32_t type, uint32_t claimed, uint32_t held) {
  AtomBytes atom;
  atom.Header(claimed, type);
  for (uint32_t i = 0; i < held; ++i) atom.Append({static_cast<uint8_t>(i)});
  return atom.Bytes();
}

std::vector<uint8_t> Property(uint32_t key, const std::vector<uint8_t>& value) {
  return AtomBytes().Word(key).Word(0).Append(value).Bytes();
}

// An object holding the properties, padded between them; its size is the
// bytes it holds.
std::vector<uint8_t> Object(const std::vector<std::vector<uint8_t>>& properties) {
  AtomBytes body;
  body.Word(0).Word(99);
  for (const std::vector<uint8_t>& property : properties) body.Pad().Append(property);
  return AtomBytes()
      .Header(static_cast<uint32_t>(body.Bytes().size()), kObject)
      .Append(body.Bytes())
      .Bytes();
}

const LV2_Atom_Object* AsObject(const std::vector<uint8_t>& bytes) {
  return reinterpret_cast<const LV2_Atom_Object*>(bytes.data());
}

// Where each atom the events hold starts, from the sequence's first byte.
std::vector<ptrdiff_t> EventOffsets(const std::vector<uint8_t>& sequence, size_t extent) {
  SequenceEvents events(reinterpret_cast<const LV2_Atom_Sequence*>(sequence.data()), extent);
  std::vector<ptrdiff_t> offsets;
  while (const LV2_Atom_Event* event = events.Next()) {
    offsets.push_back(reinterpret_cast<const uint8_t*>(&event->body) - sequence.data());
  }
  return offsets;
}

std::vector<ptrdiff_t> EventOffsets(const std::vector<uint8_t>& sequence) {
  return EventOffsets(sequence, sequence.size());
}

// The bytes up to `held` of a part's 16-byte header (an event's time, a
// property's key and context, then the atom's header).
std::vector<uint8_t> CutHeader(size_t held) {
  std::vector<uint8_t> header = Property(kKeyB, Atom(kInt, 4, 0));
  header.resize(held);
  return header;
}

TEST(AtomWalk, AnAtomFitsOnlyTheBytesItClaims) {
  const std::vector<uint8_t> atom = Atom(kInt, 8, 8);
  const auto* header = reinterpret_cast<const LV2_Atom*>(atom.data());
  EXPECT_TRUE(FitsIn(header, 16));
  EXPECT_FALSE(FitsIn(header, 15));
  EXPECT_FALSE(FitsIn(header, 4)) << "not even its header";
  // 8 + 0xFFFFFFF8 is 0 in 32 bits, which every buffer would hold.
  const std::vector<uint8_t> wraps = Atom(kObject, 0xFFFFFFF8u, 8);
  EXPECT_FALSE(FitsIn(reinterpret_cast<const LV2_Atom*>(wraps.data()), 16));
  EXPECT_EQ(atom_walk::TotalSize(reinterpret_cast<const LV2_Atom*>(wraps.data())), 1ull << 32);
}

// An int padded to 8 bytes, a 5-byte string padded, and an int ending the
// object on its last byte, unpadded.
TEST(AtomWalkProperties, FindsEachPropertyPastThePaddingOfThoseBefore) {
  const std::vector<uint8_t> object = Object({Property(kKeyA, Atom(kInt, 4, 4)),
                                              Property(kKeyB, Atom(kString, 5, 5)),
                                              Property(kKeyC, Atom(kInt, 4, 4))});
  ASSERT_EQ(object.size(), 84u);
  const ptrdiff_t expected[] = {24, 48, 72};
  const uint32_t keys[] = {kKeyA, kKeyB, kKeyC};
  for (int i = 0; i < 3; ++i) {
    const LV2_Atom* value = FindProperty(AsObject(object), keys[i]);
    ASSERT_NE(value, nullptr) << "key " << keys[i];
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(value) - object.data(), expected[i]);
  }
  EXPECT_EQ(FindProperty(AsObject(object), kMissing), nullptr);
}

// The message is malformed, so none of it is read: not even the well-formed
// property before the one that does not fit.
TEST(AtomWalkProperties, APropertyOneByteShortOfItsClaimDropsTheWholeObject) {
  const std::vector<uint8_t> object =
      Object({Property(kKeyA, Atom(kInt, 4, 4)), Property(kKeyC, Atom(kInt, 4, 3))});
  EXPECT_EQ(FindProperty(AsObject(object), kKeyA), nullptr);
  EXPECT_EQ(FindProperty(AsObject(object), kKeyC), nullptr);
}

TEST(AtomWalkProperties, AnObjectHoldsNoPropertyBeyondItsSize) {
  // An empty object, with a property's bytes after it that it does not claim.
  std::vector<uint8_t> empty = Object({});
  AtomBytes after;
  after.Append(empty).Append(Property(kKeyA, Atom(kInt, 4, 4)));
  EXPECT_EQ(FindProperty(AsObject(after.Bytes()), kKeyA), nullptr);
  for (size_t held : {1, 8, 15}) {
    const std::vector<uint8_t> object = Object({Property(kKeyA, Atom(kInt, 4, 4)), CutHeader(held)});
    EXPECT_EQ(FindProperty(AsObject(object), kKeyA), nullptr) << held << " bytes of a header";
  }
  // Shorter than an object's own body.
  const std::vector<uint8_t> stub = AtomBytes().Header(4, kObject).Word(0).Bytes();
  EXPECT_EQ(FindProperty(AsObject(stub), kKeyA), nullptr);
}

TEST(AtomWalkProperties, SizesThatWrapTheStepDropTheObject) {
  for (uint32_t claimed : kWrappingSizes) {
    const std::vector<uint8_t> object =
        Object({Property(kKeyB, Atom(kInt, claimed, 8)), Property(kKeyA, Atom(kInt, 4, 4))});
    const LV2_Atom* found = nullptr;
    RequireReturnsWithin(kLimit, [&] { found = FindProperty(AsObject(object), kKeyA); });
    EXPECT_EQ(found, nullptr) << std::hex << claimed;
  }
}

TEST(AtomWalkEvents, YieldsEveryEventInOrderPastThePaddingOfThoseBefore) {
  const std::vector<uint8_t> sequence =
      SequenceOf(kSequence, {Atom(kInt, 4, 4), Atom(kString, 5, 5), Atom(kInt, 4, 4)});
  ASSERT_EQ(sequence.size(), 84u) << "the last event ends the sequence, unpadded";
  EXPECT_EQ(EventOffsets(sequence), (std::vector<ptrdiff_t>{24, 48, 72}));
  EXPECT_TRUE(EventOffsets(SequenceOf(kSequence, {})).empty());
}

TEST(AtomWalkEvents, AnEventThatDoesNotFitDropsTheWholeSequence) {
  const std::vector<uint8_t> shortByOne = SequenceOf(kSequence, {Atom(kInt, 4, 4), Atom(kInt, 4, 3)});
  EXPECT_TRUE(EventOffsets(shortByOne).empty());
  for (size_t held : {1, 8, 15}) {
    AtomBytes cut;
    cut.Append(SequenceOf(kSequence, {Atom(kInt, 4, 4)})).Pad().Append(CutHeader(held));
    std::vector<uint8_t> sequence = cut.Bytes();
    reinterpret_cast<LV2_Atom*>(sequence.data())->size = static_cast<uint32_t>(sequence.size() - 8);
    EXPECT_TRUE(EventOffsets(sequence).empty()) << held << " bytes of a header";
  }
}

TEST(AtomWalkEvents, SizesThatWrapTheStepDropTheSequence) {
  for (uint32_t claimed : kWrappingSizes) {
    const std::vector<uint8_t> sequence =
        SequenceOf(kSequence, {Atom(kInt, claimed, 8), Atom(kInt, 4, 4), Atom(kInt, 4, 4)});
    std::vector<ptrdiff_t> offsets;
    RequireReturnsWithin(kLimit, [&] { offsets = EventOffsets(sequence); });
    EXPECT_TRUE(offsets.empty()) << std::hex << claimed;
  }
}

TEST(AtomWalkEvents, ASequenceIsHeldToTheBufferItArrivesIn) {
  const std::vector<uint8_t> sequence = SequenceOf(kSequence, {Atom(kInt, 4, 4)});
  EXPECT_EQ(EventOffsets(sequence, sequence.size()).size(), 1u);
  EXPECT_TRUE(EventOffsets(sequence, sequence.size() - 1).empty());
  EXPECT_TRUE(EventOffsets(sequence, 4).empty()) << "not even its header";
  // Shorter than a sequence's own body.
  std::vector<uint8_t> stub = AtomBytes().Header(4, kSequence).Word(0).Bytes();
  EXPECT_TRUE(EventOffsets(stub).empty());
}

}  // namespace
