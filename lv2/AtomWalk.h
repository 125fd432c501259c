#pragma once
#include <cstddef>
#include <cstdint>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

// Checked walks over atoms that come from another party (a host's port
// buffer, the other side of the editor's messages), where every size is a
// claim. Each bound is worked out in 64 bits against the end of the atom
// that holds it, so no claimed size can wrap a step to nothing or reach past
// the buffer. A sequence or an object with one event or property that does
// not fit wholly is malformed and yields nothing at all: a message is read
// whole or not at all. Nothing here allocates or waits, so the audio thread
// walks its input with these.
namespace atom_walk {

// The bytes an atom claims, its header included.
uint64_t TotalSize(const LV2_Atom* atom);

// Whether the atom's header and the body it claims lie within the bytes
// from the header's start on.
bool FitsIn(const LV2_Atom* atom, size_t bytes);

// The events of a sequence in order, each wholly within the sequence.
class SequenceEvents {
 public:
  // extent: the bytes readable from the sequence's header on.
  SequenceEvents(const LV2_Atom_Sequence* sequence, size_t extent);

  // The next event; null after the last, and at once for a malformed
  // sequence.
  const LV2_Atom_Event* Next();

 private:
  const uint8_t* events = nullptr;
  uint64_t length = 0;
  uint64_t offset = 0;
};

// The value of the object's first property with this key; null when it has
// none, or when any of its properties does not fit it. The object's claimed
// body must be readable (see FitsIn).
const LV2_Atom* FindProperty(const LV2_Atom_Object* object, LV2_URID key);

}  // namespace atom_walk
