// An editor command is read only from a parameter property wholly within
// it, whatever the bytes around it look like.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "AtomBytes.h"
#include "ReturnsWithin.h"
#include "lv2/EditorMessages.h"

namespace {

std::map<std::string, LV2_URID> uris;

LV2_URID Map(LV2_URID_Map_Handle, const char* uri) {
  return uris.emplace(uri, static_cast<LV2_URID>(uris.size() + 1)).first->second;
}

class EditorMessagesRead : public ::testing::Test {
 protected:
  LV2_URID Urid(const char* uri) { return Map(nullptr, uri); }
  editor_messages::Message Read(const std::vector<uint8_t>& bytes) {
    return editor_messages::Read(urids, reinterpret_cast<const LV2_Atom*>(bytes.data()));
  }
  // A command object of `size` whose body's first property has this key.
  AtomBytes Command(uint32_t size, uint32_t key) {
    AtomBytes command;
    command.Header(size, Urid(LV2_ATOM__Object)).Word(0).Word(Urid(editor_messages::kCommand));
    command.Word(key).Word(0);
    return command;
  }

  LV2_URID_Map map{nullptr, Map};
  editor_messages::Urids urids{&map};
  const LV2_URID parameter = Urid(editor_messages::kParameter);
  const LV2_URID atomInt = Urid(LV2_ATOM__Int);
};

TEST_F(EditorMessagesRead, ACommandIsReadOnlyFromAParameterWithinIt) {
  const editor_messages::Message undo = Read(Command(28, parameter).Header(4, atomInt).Word(22).Bytes());
  EXPECT_EQ(undo.kind, editor_messages::Kind::Command);
  EXPECT_EQ(undo.parameter, 22);

  // The object ends after the property's key: the value's header and body
  // that follow belong to whatever comes next in the buffer.
  const std::vector<uint8_t> cut = Command(16, parameter).Header(4, atomInt).Word(22).Bytes();
  EXPECT_EQ(Read(cut).kind, editor_messages::Kind::Unknown);

  // Another property whose step to the next wraps to nothing.
  const std::vector<uint8_t> wraps =
      Command(24, Urid("urn:ostrelle:test#other")).Header(0xFFFFFFF0u, atomInt).Bytes();
  editor_messages::Message read;
  RequireReturnsWithin(std::chrono::seconds(5), [&] { read = Read(wraps); });
  EXPECT_EQ(read.kind, editor_messages::Kind::Unknown);
}

}  // namespace
