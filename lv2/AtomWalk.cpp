#include "lv2/AtomWalk.h"

namespace atom_walk {

namespace {

// A sequence's events and an object's properties are laid out alike: an
// 8-byte prefix (an event's time, a property's key and context), then an
// atom, each record padded to 8 bytes. Both containers' bodies start with an
// 8-byte header of their own (the time unit, the object's id and type).
constexpr uint64_t kRecordHeader = 16;
constexpr uint64_t kRecordPrefix = 8;
constexpr uint64_t kContainerHeader = sizeof(LV2_Atom) + 8;
static_assert(sizeof(LV2_Atom_Event) == kRecordHeader);
static_assert(sizeof(LV2_Atom_Property_Body) == kRecordHeader);
static_assert(sizeof(LV2_Atom_Sequence) == kContainerHeader);
static_assert(sizeof(LV2_Atom_Object) == kContainerHeader);

uint64_t PadTo8(uint64_t size) { return (size + 7) & ~uint64_t{7}; }

// The bytes from the record at `offset` to the next one, or 0 when the
// record does not lie wholly within the `length` bytes of records.
uint64_t RecordStep(const uint8_t* records, uint64_t length, uint64_t offset) {
  const uint64_t room = length - offset;
  if (room < kRecordHeader) return 0;
  const auto* atom = reinterpret_cast<const LV2_Atom*>(records + offset + kRecordPrefix);
  const uint64_t size = kRecordHeader + atom->size;
  return size <= room ? PadTo8(size) : 0;
}

// Whether every record lies wholly within the `length` bytes.
bool RecordsFit(const uint8_t* records, uint64_t length) {
  for (uint64_t offset = 0; offset < length;) {
    const uint64_t step = RecordStep(records, length, offset);
    if (step == 0) return false;
    offset += step;
  }
  return true;
}

// Where a sequence's or an object's records start.
const uint8_t* RecordsOf(const LV2_Atom* container) {
  return reinterpret_cast<const uint8_t*>(container) + kContainerHeader;
}

// The bytes of records a container claims; 0 for one too short for its
// own body header.
uint64_t RecordsLength(const LV2_Atom* container) {
  const uint64_t total = TotalSize(container);
  return total >= kContainerHeader ? total - kContainerHeader : 0;
}

}  // namespace

uint64_t TotalSize(const LV2_Atom* atom) { return sizeof(LV2_Atom) + uint64_t{atom->size}; }

bool FitsIn(const LV2_Atom* atom, size_t bytes) {
  return bytes >= sizeof(LV2_Atom) && TotalSize(atom) <= bytes;
}

SequenceEvents::SequenceEvents(const LV2_Atom_Sequence* sequence, size_t extent) {
  if (!FitsIn(&sequence->atom, extent)) return;
  const uint8_t* records = RecordsOf(&sequence->atom);
  const uint64_t bytes = RecordsLength(&sequence->atom);
  if (!RecordsFit(records, bytes)) return;
  events = records;
  length = bytes;
}

const LV2_Atom_Event* SequenceEvents::Next() {
  if (offset >= length) return nullptr;
  const auto* event = reinterpret_cast<const LV2_Atom_Event*>(events + offset);
  offset += RecordStep(events, length, offset);
  return event;
}

const LV2_Atom* FindProperty(const LV2_Atom_Object* object, LV2_URID key) {
  const uint8_t* records = RecordsOf(&object->atom);
  const uint64_t length = RecordsLength(&object->atom);
  if (!RecordsFit(records, length)) return nullptr;
  for (uint64_t offset = 0; offset < length; offset += RecordStep(records, length, offset)) {
    const auto* property = reinterpret_cast<const LV2_Atom_Property_Body*>(records + offset);
    if (property->key == key) return &property->value;
  }
  return nullptr;
}

}  // namespace atom_walk
