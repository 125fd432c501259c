#include "lv2/EditorMessages.h"

#include "lv2/AtomWalk.h"

namespace editor_messages {

Urids::Urids(LV2_URID_Map* map) {
  auto id = [map](const char* uri) { return map->map(map->handle, uri); };
  command = id(kCommand);
  record = id(kRecord);
  request = id(kRequest);
  settings = id(kSettings);
  parameter = id(kParameter);
  values = id(kValues);
  abSelection = id(kAbSelection);
  atomObject = id(LV2_ATOM__Object);
  atomInt = id(LV2_ATOM__Int);
  atomDouble = id(LV2_ATOM__Double);
  atomVector = id(LV2_ATOM__Vector);
  atomSequence = id(LV2_ATOM__Sequence);
  eventTransfer = id(LV2_ATOM__eventTransfer);
}

Message Read(const Urids& urids, const LV2_Atom* atom) {
  if (!atom || atom->type != urids.atomObject || atom->size < sizeof(LV2_Atom_Object_Body)) {
    return {};
  }
  const auto* object = reinterpret_cast<const LV2_Atom_Object*>(atom);
  const LV2_URID type = object->body.otype;
  if (type == urids.record) return {Kind::Record, 0};
  if (type == urids.request) return {Kind::Request, 0};
  if (type != urids.command) return {};
  const LV2_Atom* parameter = atom_walk::FindProperty(object, urids.parameter);
  if (!parameter || parameter->type != urids.atomInt || parameter->size != sizeof(int32_t)) {
    return {};
  }
  return {Kind::Command, reinterpret_cast<const LV2_Atom_Int*>(parameter)->body};
}

}  // namespace editor_messages
