#pragma once
#include <cstdint>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

// The messages between the editor and the processing side, as atom objects
// on the plug-in's editor ports: the editor's history commands go to the
// processing side, which keeps the history with the settings it plays, and
// the settings those commands make come back for the editor to show.
namespace editor_messages {

// Editor to processing: a command (undo, redo, A/B, copy, or the parameter
// whose control was pressed), the end of a gesture, and a request for the
// settings, sent when an editor opens.
inline constexpr const char* kCommand = "urn:ostrelle:kestravon#EditorCommand";
inline constexpr const char* kRecord = "urn:ostrelle:kestravon#RecordSettings";
inline constexpr const char* kRequest = "urn:ostrelle:kestravon#RequestSettings";
// Processing to editor: the settings played, as each parameter's field
// (NaN for a parameter that sets none), and which A/B slot is live.
inline constexpr const char* kSettings = "urn:ostrelle:kestravon#Settings";
inline constexpr const char* kParameter = "urn:ostrelle:kestravon#parameter";
inline constexpr const char* kValues = "urn:ostrelle:kestravon#values";
inline constexpr const char* kAbSelection = "urn:ostrelle:kestravon#abSelection";

enum class Kind : int32_t { Unknown, Command, Record, Request };

struct Message {
  Kind kind = Kind::Unknown;
  int32_t parameter = 0;
};

// The URIDs of the vocabulary, mapped once.
struct Urids {
  explicit Urids(LV2_URID_Map* map);
  LV2_URID command, record, request, settings, parameter, values, abSelection;
  LV2_URID atomObject, atomInt, atomDouble, atomVector, atomSequence, eventTransfer;
};

// The message an atom holds; Kind::Unknown for anything else, a malformed
// message included. The atom's claimed body must be readable (see
// atom_walk::FitsIn).
Message Read(const Urids& urids, const LV2_Atom* atom);

}  // namespace editor_messages
